#include "Messungen.h"

#include "ColumnCatalog.h"
#include "Loading.h"
#include "MeasLibrary.h"
#include "engine/Database.h"
#include "engine/Engine.h"
#include "engine/TableDef.h"
#include "grid/FlexGrid.h"
#include "hosting/PropertyBag.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "runtime/Text.h"
#include "settings/Store.h"
#include "toolkit/Keys.h"

namespace measgrid {

namespace {

constexpr const char* kLinkedTable = "Kunde";
constexpr const char* kDatabaseMarker = "DATABASE=";

// Design values of the child controls (twips).
struct Placement {
    int left, top, width, height, tabIndex;
};
constexpr Placement kLabel10{180, 120, 1815, 315, 6};
constexpr Placement kCheSpalten{2100, 60, 1755, 375, 0};
constexpr Placement kComKomprimieren{3960, 60, 1755, 315, 1};
constexpr Placement kComLoeschen{5880, 60, 1755, 315, 2};
constexpr Placement kComZeileEinfuegen{7800, 60, 1755, 315, 3};
constexpr Placement kFg2{120, 480, 9435, 3075, 4};
constexpr Placement kTxtEdit{3720, 2460, 1395, 315, 5};
constexpr int kDesignWidth = 9645, kDesignHeight = 3630;

void place(tk::Control& c, const Placement& p) {
    c.move(p.left, p.top, p.width, p.height);
    c.setTabIndex(p.tabIndex);
}

std::int16_t flag(const rt::Variant& v) { return v.boolValue() ? -1 : 0; }

} // namespace

Messungen::Messungen(const hosting::CreateContext& ctx)
    : ControlBase(ctx),
      label10_(surface_.add<tk::Label>("Label10")),
      cheSpalten_(surface_.add<tk::CheckBox>("CheSpalten")),
      comKomprimieren_(surface_.add<tk::CommandButton>("ComKomprimieren")),
      comLoeschen_(surface_.add<tk::CommandButton>("ComLöschen")),
      comZeileEinfuegen_(surface_.add<tk::CommandButton>("ComZeileEinfügen")),
      fg2_(surface_.add<grid::FlexGrid>("fg2")),
      txtEdit_(surface_.add<tk::TextBox>("txtEdit")) {
    surface_.resize(kDesignWidth, kDesignHeight);

    // Label10 is drawn in "MS Sans Serif" 12 point bold; the toolkit model
    // carries no fonts, the front-end chooses them.
    label10_.setCaption("Messungen");
    place(label10_, kLabel10);
    cheSpalten_.setCaption("Leere Spalten ausblenden");
    place(cheSpalten_, kCheSpalten);
    comKomprimieren_.setCaption("Komprimieren");
    place(comKomprimieren_, kComKomprimieren);
    comLoeschen_.setCaption("Zeile Löschen");
    place(comLoeschen_, kComLoeschen);
    comZeileEinfuegen_.setCaption("Zeile Einfügen");
    place(comZeileEinfuegen_, kComZeileEinfuegen);

    place(fg2_, kFg2);
    fg2_.setRows(5);
    fg2_.setCols(20);
    fg2_.setFixedRows(4);
    fg2_.setFixedCols(2);
    fg2_.setWordWrap(true);
    fg2_.setAllowUserResizing(grid::resize::Both);
    fg2_.setForeColor(tk::kButtonText);

    txtEdit_.setText("Text1");
    place(txtEdit_, kTxtEdit);
    txtEdit_.setVisible(false);   // shown only while a cell is edited

    // The popup menu; shown only as a popup, so the top item stays hidden.
    tk::MenuItem& tabelle = surface_.addMenu("mnuTabelle", "&Tabelle");
    tabelle.setVisible(false);
    struct Item {
        const char* name;
        const char* caption;
        bool visible;
    };
    const Item items[] = {
        {"mnuAusschneiden", "&Ausschneiden", false}, {"mnuKopieren", "&Kopieren", false},
        {"mnuEinfügen", "&Einfügen", false},         {"mnuTabTrennung0", "-", false},
        {"mnuZeileEinfügen", "Zeile E&infügen", true}, {"mnuTabTrennung1", "-", true},
        {"mnuKomprimieren", "&Komprimieren", true},  {"mnuGrenzwerte", "&Grenzwerte...", true},
        {"mnuTabTrennung2", "-", true},              {"mnuInhalteLöschen", "&Inhalte Löschen", true},
        {"mnuZeileLöschen", "Zeile &Löschen", true},
    };
    for (const Item& i : items) surface_.addMenu(i.name, i.caption, &tabelle).setVisible(i.visible);
    surface_.menu("mnuInhalteLöschen").setShortcut(tk::key::Delete);

    cheSpalten_.onClick = [this] { CheSpalten_Click(); };
    fg2_.onLostFocus = [this] { fg2_LostFocus(); };
    surface_.onExitFocus = [this] { UserControl_ExitFocus(); };
}

Messungen::~Messungen() = default;

MeasState& Messungen::state() const { return static_cast<MeasLibrary&>(library()).state.get(); }

ModuleContext Messungen::moduleContext() const { return {state(), ui(), settings(), regional()}; }

// ---- lifecycle -------------------------------------------------------------------

void Messungen::onInitialize() {
    surface_.initialize();
    SpaltenAufbauen(fg2_, state().objSpra());
    allowEdits_ = allowAdditions_ = allowDeletions_ = -1;
    state().limitSupport = -1;
}

void Messungen::onReadProperties(const hosting::PropertyBag& bag) {
    (void)bag.read("trelvanDB", rt::Variant(std::shared_ptr<rt::Object>()));
    fg2_.setTextMatrix(0, 0, rt::textOf(bag.read("TextMatrix0", ""), regional()));
    fg2_.setColWidth(0, rt::toLong(bag.read("ColWidth0", std::int32_t(0)), regional()));
}

void Messungen::onWriteProperties(hosting::PropertyBag& bag) {
    bag.write("trelvanDB", rt::Variant(), rt::Variant());
    bag.write("TextMatrix0", fg2_.textMatrix(0, 0), "");
    bag.write("ColWidth0", std::int32_t(fg2_.colWidth(0)), std::int32_t(0));
}

void Messungen::onResize() { layout(); }

void Messungen::onPaint() { layout(); }

void Messungen::layout() {
    try {
        surface_.resize(width(), height());
    } catch (const rt::Error&) {
    }
    try {
        fg2_.setHeight(height() - fg2_.top());
    } catch (const rt::Error&) {
    }
    try {
        fg2_.setWidth(width() - fg2_.left());
    } catch (const rt::Error&) {
    }
}

void Messungen::onTerminate() {
    // The back-end is library-wide: its release ends it for every control
    // of this thread until trelvanDB is set again.
    if (MeasState* s = static_cast<MeasLibrary&>(library()).state.find()) s->backend.reset();
    surface_.terminate();
}

// ---- binding -------------------------------------------------------------------

rt::Variant Messungen::trelvanReplicaID() const { return state().replicaId; }

void Messungen::setTrelvanReplicaID(const rt::Variant& v) {
    state().replicaId = v;
    propertyChanged("trelvanReplicaID");
}

rt::Variant Messungen::trelvanDB() const {
    return rt::Variant(std::shared_ptr<rt::Object>(state().frontend));
}

void Messungen::setTrelvanDB(const rt::Variant& v) {
    MeasState& s = state();
    // An object that is no database is refused as the call's argument:
    // nothing is bound, the previous front-end stays.
    auto database = v.objectAs<engine::Database>();
    if (v.objectValue() && !database) throw rt::typeMismatchError();
    s.frontend = std::move(database);
    if (!s.frontend) throw rt::Error(91, "Object variable or With block variable not set", "measgrid");

    const std::string connect = s.frontend->tableDef(kLinkedTable)->connect();
    // The path is everything behind "DATABASE=" (searched ignoring case);
    // without the marker, the connect string less its first eight characters.
    const std::size_t p = rt::text::instrNoCase(1, connect, kDatabaseMarker);
    const long keep = static_cast<long>(rt::text::len(connect)) - static_cast<long>(p + 8);
    if (keep < 0) throw rt::invalidCallError();
    const std::string path = rt::text::right(connect, static_cast<std::size_t>(keep));

    s.backend = s.engine(regional()).defaultWorkspace().openDatabase(path, engine::OpenOptions{});
    propertyChanged("trelvanDB");
}

std::string Messungen::appPath() const { return rt::textOf(state().appPath, regional()); }

void Messungen::setAppPath(const rt::Variant& v) {
    state().appPath = rt::Variant(v.stringValue());
    propertyChanged("AppPath");
}

// ---- circuit -------------------------------------------------------------------

void Messungen::loadCircuit() {
    MessungenLaden(cheSpalten_.value(), "", fg2_, stromkreisID_, moduleContext());
}

void Messungen::setStromkreisID(const rt::Variant& v) {
    stromkreisID_ = v;
    const std::string stored = settings().getSetting(kSettingsApp, kSettingsSection, "CheSpalten", "0");
    const double setting = rt::toDouble(rt::Variant(stored), regional());
    if (setting != cheSpalten_.value())
        cheSpalten_.setValue(rt::roundToInteger(setting));   // its Click writes the setting and loads
    else
        loadCircuit();
}

void Messungen::CheSpalten_Click() {
    settings().saveSetting(kSettingsApp, kSettingsSection, "CheSpalten", std::to_string(cheSpalten_.value()));
    loadCircuit();
}

// ---- language ------------------------------------------------------------------

void Messungen::setSprache(const rt::Variant& v) {
    sprache_ = v.stringValue();
    SpaltenAufbauen(fg2_, state().objSpra());
    if (!rt::textOf(stromkreisID_, regional()).empty()) setStromkreisID(stromkreisID_);
    propertyChanged("Sprache");
}

// ---- leaving the control -----------------------------------------------------------

void Messungen::save() { UserControl_ExitFocus(); }

void Messungen::UserControl_ExitFocus() { fg2_LostFocus(); }

void Messungen::fg2_LostFocus() {
    if (stromkreisID_.isEmpty() || stromkreisID_.isNull()) return;
    if (rt::equals(stromkreisID_, rt::Variant(std::int32_t(0)), regional())) return;
    std::vector<std::pair<std::string, std::string>> widths;
    for (int i = 0; i < fg2_.cols(); ++i) {
        const int w = fg2_.colWidth(i);
        if (w > 0) widths.emplace_back("ColWidth" + std::to_string(i), std::to_string(w));
    }
    if (!widths.empty()) settings().saveSettings(kSettingsApp, kSettingsSection, widths);
}

// ---- grid access ---------------------------------------------------------------------

std::string Messungen::textMatrix(std::int32_t row, std::int32_t col) const { return fg2_.textMatrix(row, col); }

void Messungen::setTextMatrix(std::int32_t row, std::int32_t col, const std::string& text) {
    fg2_.setTextMatrix(row, col, text);
    propertyChanged("TextMatrix");
}

std::int32_t Messungen::colWidth(std::int32_t index) const { return fg2_.colWidth(index); }

void Messungen::setColWidth(std::int32_t index, std::int32_t width) {
    fg2_.setColWidth(index, width);
    propertyChanged("ColWidth");
}

// ---- permission flags ----------------------------------------------------------------

void Messungen::enable(const char* name, bool on) { surface_.control(name).setEnabled(on); }

void Messungen::setAllowEdits(const rt::Variant& v) {
    allowEdits_ = flag(v);
    propertyChanged("AllowEdits");
    if (allowEdits_ == -1) {
        fg2_.setBackColor(tk::kWindowBackground);
        txtEdit_.setBackColor(fg2_.backColor());
        txtEdit_.setLocked(false);
    } else {
        fg2_.setBackColor(surface_.backColor());
        txtEdit_.setBackColor(surface_.backColor());
        txtEdit_.setLocked(true);
    }
    enable("mnuKomprimieren", allowEdits_ != 0);
    enable("ComKomprimieren", allowEdits_ != 0);
}

void Messungen::setAllowAdditions(const rt::Variant& v) {
    allowAdditions_ = flag(v);
    propertyChanged("AllowAdditions");
    enable("ComZeileEinfügen", allowAdditions_ != 0);
    enable("mnuZeileEinfügen", allowAdditions_ != 0);
}

void Messungen::setAllowDeletions(const rt::Variant& v) {
    allowDeletions_ = flag(v);
    propertyChanged("AllowDeletions");
    enable("ComLöschen", allowDeletions_ != 0);
    enable("mnuZeileLöschen", allowDeletions_ != 0);
    enable("mnuInhalteLöschen", allowDeletions_ != 0);
}

bool Messungen::limitSupport() const { return state().limitSupport != 0; }

void Messungen::setLimitSupport(const rt::Variant& v) {
    state().limitSupport = flag(v);
    enable("mnuGrenzwerte", state().limitSupport != 0);
    propertyChanged("LimitSupport");
}

} // namespace measgrid
