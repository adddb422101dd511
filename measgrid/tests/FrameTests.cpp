// The Messungen control as its host sees it: layout, catalog, binding,
// circuit selection, language, flags, persistence and lifecycle.
#include "ColumnCatalog.h"
#include "Fixture.h"
#include "engine/TableDef.h"
#include "hosting/PropertyBag.h"
#include "toolkit/Keys.h"
#include "toolkit/MenuItem.h"

namespace measgrid::test {
namespace {

using hosting::getProperty;
using hosting::letProperty;
using hosting::setProperty;

TEST(Messungen, ChildControlsHaveTheirDesignLayout) {
    Host host;
    auto c = host.create();
    tk::UserControl& uc = *c->userControl();
    struct Expect {
        const char* name;
        const char* kind;
        const char* caption;
        int left, top, width, height, tab;
    };
    const Expect controls[] = {
        {"Label10", "Label", "Messungen", 180, 120, 1815, 315, 6},
        {"CheSpalten", "CheckBox", "Leere Spalten ausblenden", 2100, 60, 1755, 375, 0},
        {"ComKomprimieren", "CommandButton", "Komprimieren", 3960, 60, 1755, 315, 1},
        {"ComLöschen", "CommandButton", "Zeile Löschen", 5880, 60, 1755, 315, 2},
        {"ComZeileEinfügen", "CommandButton", "Zeile Einfügen", 7800, 60, 1755, 315, 3},
        {"fg2", "FlexGrid", "", 120, 480, 9435, 3075, 4},
        {"txtEdit", "TextBox", "", 3720, 2460, 1395, 315, 5},
    };
    for (std::size_t i = 0; i < std::size(controls); ++i) {
        const Expect& e = controls[i];
        tk::Control* ctl = uc.controls()[i];
        EXPECT_EQ(ctl->name(), e.name);
        EXPECT_EQ(ctl->kind(), e.kind) << e.name;
        EXPECT_EQ(ctl->caption(), e.caption) << e.name;
        EXPECT_EQ((std::vector<int>{ctl->left(), ctl->top(), ctl->width(), ctl->height(), ctl->tabIndex()}),
                  (std::vector<int>{e.left, e.top, e.width, e.height, e.tab}))
            << e.name;
    }
    EXPECT_EQ(Host::of(c).txtEdit().text(), "Text1");
    EXPECT_FALSE(Host::of(c).txtEdit().visible());
    grid::FlexGrid& fg = Host::of(c).fg2();
    EXPECT_EQ(fg.fixedRows(), 4);
    EXPECT_EQ(fg.fixedCols(), 2);
    EXPECT_TRUE(fg.wordWrap());
    EXPECT_EQ(fg.allowUserResizing(), grid::resize::Both);
    EXPECT_EQ(fg.foreColor(), 0x80000012u);

    const std::tuple<const char*, const char*, bool> menu[] = {
        {"mnuAusschneiden", "&Ausschneiden", false}, {"mnuKopieren", "&Kopieren", false},
        {"mnuEinfügen", "&Einfügen", false},         {"mnuTabTrennung0", "-", false},
        {"mnuZeileEinfügen", "Zeile E&infügen", true}, {"mnuTabTrennung1", "-", true},
        {"mnuKomprimieren", "&Komprimieren", true},  {"mnuGrenzwerte", "&Grenzwerte...", true},
        {"mnuTabTrennung2", "-", true},              {"mnuInhalteLöschen", "&Inhalte Löschen", true},
        {"mnuZeileLöschen", "Zeile &Löschen", true},
    };
    tk::MenuItem& tabelle = uc.menu("mnuTabelle");
    EXPECT_EQ(tabelle.caption(), "&Tabelle");
    ASSERT_EQ(tabelle.items().size(), std::size(menu));
    for (std::size_t i = 0; i < std::size(menu); ++i) {
        const auto& [name, caption, visible] = menu[i];
        EXPECT_EQ(tabelle.items()[i]->name(), name);
        EXPECT_EQ(tabelle.items()[i]->caption(), caption);
        EXPECT_EQ(tabelle.items()[i]->visible(), visible) << name;
    }
    EXPECT_EQ(uc.menu("mnuInhalteLöschen").shortcutKey(), tk::key::Delete);
}

TEST(Messungen, CreationLaysOutTheColumnCatalog) {
    Host host;
    auto c = host.create();
    grid::FlexGrid& fg = Host::of(c).fg2();
    EXPECT_EQ(fg.cols(), 100);
    EXPECT_EQ(fg.colWidth(0), 320);
    EXPECT_EQ(fg.rowHeight(1), 700);
    EXPECT_EQ(fg.row(), 3);
    EXPECT_EQ(fg.col(), 99);
    const std::tuple<int, int, const char*> texts[] = {
        {0, 1, "Platz"}, {1, 1, "Nummer"}, {1, 2, "Grenzwerte"}, {1, 3, "Reserve2"}, {1, 13, "Reserve4"},
        {1, 36, "Reserve7"}, {0, 6, "PE"}, {1, 6, "Durchgängigkeit Schutzleiter/ Potentialausgleich"},
        {2, 6, "Rlow"}, {3, 6, "Ohm"}, {1, 7, "Widerstand"}, {2, 7, "Rs"}, {2, 8, "Ik (Rs)"},
        {3, 12, "MOhm"}, {3, 15, "Halbwelle"}, {0, 21, "Erde"}, {0, 22, "Zusatzmessungen"}, {3, 22, "Ohm*m"},
        {1, 25, "Schleife- widerstand"}, {2, 26, "RL"}, {3, 34, "%"}, {0, 41, "Zusatzmessungen"},
        {1, 42, "Bemerkung"}, {0, 42, ""}, {1, 43, "StromkreisID"}, {0, 44, ""}, {1, 99, ""},
    };
    for (const auto& [r, col, text] : texts) EXPECT_EQ(fg.textMatrix(r, col), text) << r << "," << col;
    EXPECT_EQ(fg.colAlignment(0), grid::align::LeftCenter);
    EXPECT_EQ(fg.colAlignment(39), grid::align::LeftCenter);
    EXPECT_EQ(fg.colAlignment(41), grid::align::LeftCenter);
    for (int col : {1, 2, 21, 38, 40, 42, 43}) EXPECT_EQ(fg.colAlignment(col), grid::align::RightCenter) << col;
    for (int r = 0; r < 4; ++r)
        for (int col : {0, 1, 39, 43, 99}) EXPECT_EQ(fg.alignmentAt(r, col), grid::align::CenterCenter) << r << "," << col;
    EXPECT_TRUE(getProperty(*c, "LimitSupport").boolValue());
    for (const char* flag : {"AllowEdits", "AllowAdditions", "AllowDeletions"})
        EXPECT_TRUE(getProperty(*c, flag).boolValue()) << flag;
}

// Without trelvanDB every load reports the missing database once, so the
// number of message boxes counts the loads.
TEST(Messungen, CircuitSelectionFollowsTheStoredCheckBoxSetting) {
    struct Case {
        const char* stored;   // "CheSpalten" before, nullptr: absent
        int boxBefore;
        int boxAfter;
        const char* storedAfter;
    };
    const Case cases[] = {
        {"1", 0, 1, "1"},
        {nullptr, 0, 0, "<absent>"},
        {"0", 1, 0, "0"},
        {"1", 1, 1, "1"},
        {"2", 0, 2, "2"},
    };
    for (const Case& k : cases) {
        Host host;
        if (k.stored) host.store.saveSetting(kSettingsApp, kSettingsSection, "CheSpalten", k.stored);
        auto c = host.create();
        Host::of(c).cheSpalten().setValue(k.boxBefore);   // a click: writes the setting, loads once
        if (k.stored) host.store.saveSetting(kSettingsApp, kSettingsSection, "CheSpalten", k.stored);
        else if (k.boxBefore == 0) {
            // setValue(0) on an unticked box raises nothing; the setting stays absent
        }
        host.ui.clearLog();
        letProperty(*c, "StromkreisID", rt::Variant(std::int32_t(5)));
        SCOPED_TRACE(k.stored ? k.stored : "absent");
        EXPECT_EQ(Host::of(c).cheSpalten().value(), k.boxAfter);
        EXPECT_EQ(host.setting("CheSpalten"), k.storedAfter);
        EXPECT_EQ(host.ui.boxes().size(), 1u);   // one load
        EXPECT_EQ(getProperty(*c, "StromkreisID").longValue(), 5);
    }
}

TEST(Messungen, EveryAssignmentLoadsAndAStoredSettingThatIsNoNumberFailsAfterStoring) {
    Host host;
    auto c = host.create();
    letProperty(*c, "StromkreisID", rt::Variant(std::int32_t(7)));
    letProperty(*c, "StromkreisID", rt::Variant(std::int32_t(7)));
    EXPECT_EQ(host.ui.boxes().size(), 2u);
    EXPECT_TRUE(host.notices.empty());   // StromkreisID notifies nothing

    host.store.saveSetting(kSettingsApp, kSettingsSection, "CheSpalten", "ja");
    EXPECT_RT_ERROR(letProperty(*c, "StromkreisID", rt::Variant(std::int32_t(8))), 13);
    EXPECT_EQ(getProperty(*c, "StromkreisID").longValue(), 8);
}

TEST(Messungen, ClickingTheCheckBoxBeforeAnyCircuitReportsTheEmptyIdentifier) {
    Host host;
    DbPair db;
    auto c = host.create();
    setProperty(*c, "trelvanDB", object(db.frontend));
    Host::of(c).cheSpalten().click();
    EXPECT_EQ(host.setting("CheSpalten"), "1");
    ASSERT_EQ(host.ui.boxes().size(), 1u);
    EXPECT_EQ(host.ui.boxes()[0].prompt.rfind("Kein Stromkreis gewählt", 0), 0u) << host.ui.boxes()[0].prompt;
}

TEST(Messungen, BindingOpensTheBackendNamedByTheLinkOfKunde) {
    Host host;
    DbPair db;
    auto c = host.create();
    setProperty(*c, "trelvanDB", object(db.frontend));
    Messungen& m = Host::of(c);
    ASSERT_TRUE(m.state().backend);
    EXPECT_EQ(m.state().backend->name(), db.frontend->tableDef("Kunde")->connect().substr(10));
    EXPECT_EQ(getProperty(*c, "trelvanDB").objectValue(), std::shared_ptr<rt::Object>(db.frontend));
    EXPECT_EQ(host.notices, std::vector<std::string>{"trelvanDB"});

    // The whole road: a circuit with its limit marks.
    const std::int32_t sk = db.circuit({{{"EigeneNr", "001"}, {"LOW", "5"}}, {{"EigeneNr", "002"}}});
    letProperty(*c, "StromkreisID", rt::Variant(std::int32_t(sk)));
    EXPECT_TRUE(host.ui.boxes().empty());
    EXPECT_EQ(m.fg2().rows(), 6);
    EXPECT_EQ(getProperty(*c, "TextMatrix", {rt::Variant(4), rt::Variant(6)}).stringValue(), "5");
    EXPECT_TRUE(m.fg2().fontBoldAt(4, 6));
}

TEST(Messungen, TheDatabaseMarkerIsFoundIgnoringCase) {
    Host host;
    DbPair db;
    auto front = db.engine.defaultWorkspace().createDatabase((db.dir / "klein.mde").string());
    front->createLinkedTable("Kunde", ";database=" + db.backendPath, "Kunde");
    auto c = host.create();
    setProperty(*c, "trelvanDB", object(front));
    ASSERT_TRUE(Host::of(c).state().backend);
    EXPECT_EQ(Host::of(c).state().backend->name(), db.backendPath);
}

TEST(Messungen, AFailedBindingKeepsTheFrontendAndThePreviousBackend) {
    Host host;
    DbPair db;
    auto c = host.create();
    setProperty(*c, "trelvanDB", object(db.frontend));
    auto previous = Host::of(c).state().backend;

    // No table "Kunde".
    auto bare = db.engine.defaultWorkspace().createDatabase((db.dir / "ohne.mde").string());
    EXPECT_RT_ERROR(setProperty(*c, "trelvanDB", object(bare)), 3265);
    EXPECT_EQ(getProperty(*c, "trelvanDB").objectValue(), std::shared_ptr<rt::Object>(bare));
    EXPECT_EQ(Host::of(c).state().backend, previous);

    // A link whose connect string lacks the marker: the path is the string
    // less its first eight characters, which names no file.
    auto odd = db.engine.defaultWorkspace().createDatabase((db.dir / "odd.mde").string());
    odd->createLinkedTable("Kunde", ";DATABASE=" + db.backendPath, "Kunde");
    odd->execute("UPDATE MSysLinks SET Connect = 'MS Access;PATH=" + db.backendPath + "' WHERE Name = 'Kunde'");
    const std::string connect = odd->tableDef("Kunde")->connect();
    ASSERT_EQ(connect.find("DATABASE="), std::string::npos) << connect;
    EXPECT_RT_ERROR(setProperty(*c, "trelvanDB", object(odd)), 3024);
    EXPECT_EQ(getProperty(*c, "trelvanDB").objectValue(), std::shared_ptr<rt::Object>(odd));
    EXPECT_EQ(Host::of(c).state().backend, previous);

    // An object that is no database is refused as the argument: nothing is
    // bound, the front-end of before stays.
    struct NoDatabase : rt::Object {
        std::string typeName() const override { return "Recordset"; }
    };
    EXPECT_RT_ERROR(setProperty(*c, "trelvanDB", rt::Variant(std::shared_ptr<rt::Object>(std::make_shared<NoDatabase>()))),
                    13);
    EXPECT_EQ(getProperty(*c, "trelvanDB").objectValue(), std::shared_ptr<rt::Object>(odd));
    EXPECT_EQ(Host::of(c).state().backend, previous);
}

TEST(Messungen, LimitSupportIsSharedAndEveryNewControlSetsItTrue) {
    Host host;
    auto a = host.create();
    auto b = host.create();
    letProperty(*a, "LimitSupport", rt::Variant(false));
    EXPECT_FALSE(getProperty(*b, "LimitSupport").boolValue());
    EXPECT_FALSE(Host::of(a).userControl()->menu("mnuGrenzwerte").enabled());
    EXPECT_TRUE(Host::of(b).userControl()->menu("mnuGrenzwerte").enabled());   // each control's own menu
    auto c = host.create();
    EXPECT_TRUE(getProperty(*a, "LimitSupport").boolValue());
    EXPECT_EQ(host.notices, std::vector<std::string>{"LimitSupport"});
}

TEST(Messungen, PermissionFlagsSetColoursLockAndEnabledStates) {
    struct Case {
        const char* flag;
        std::vector<const char*> controls;
    };
    const Case cases[] = {
        {"AllowEdits", {"ComKomprimieren", "mnuKomprimieren"}},
        {"AllowAdditions", {"ComZeileEinfügen", "mnuZeileEinfügen"}},
        {"AllowDeletions", {"ComLöschen", "mnuZeileLöschen", "mnuInhalteLöschen"}},
    };
    for (const Case& k : cases) {
        Host host;
        auto c = host.create();
        tk::UserControl& uc = *c->userControl();
        for (bool on : {false, true}) {
            letProperty(*c, k.flag, rt::Variant(on));
            EXPECT_EQ(getProperty(*c, k.flag).boolValue(), on);
            for (const char* name : k.controls) EXPECT_EQ(uc.control(name).enabled(), on) << k.flag << " " << name;
        }
        EXPECT_EQ(host.notices, (std::vector<std::string>{k.flag, k.flag}));
    }
    Host host;
    auto c = host.create();
    Messungen& m = Host::of(c);
    letProperty(*c, "AllowEdits", rt::Variant(false));
    EXPECT_EQ(m.fg2().backColor(), c->userControl()->backColor());
    EXPECT_EQ(m.txtEdit().backColor(), c->userControl()->backColor());
    EXPECT_TRUE(m.txtEdit().locked());
    letProperty(*c, "AllowEdits", rt::Variant(true));
    EXPECT_EQ(m.fg2().backColor(), 0x80000005u);
    EXPECT_EQ(m.txtEdit().backColor(), 0x80000005u);
    EXPECT_FALSE(m.txtEdit().locked());
}

TEST(Messungen, SpracheRebuildsTheHeadingsAndReloadsOnlyASetCircuit) {
    Host host;
    auto c = host.create();
    Messungen& m = Host::of(c);
    m.fg2().setTextMatrix(1, 7, "verändert");
    letProperty(*c, "Sprache", rt::Variant("English"));
    EXPECT_EQ(m.fg2().textMatrix(1, 7), "Widerstand");
    EXPECT_EQ(m.fg2().cols(), 100);
    EXPECT_TRUE(host.ui.boxes().empty());   // nothing loaded
    EXPECT_EQ(getProperty(*c, "Sprache").stringValue(), "English");

    letProperty(*c, "StromkreisID", rt::Variant(std::int32_t(3)));
    host.ui.clearLog();
    host.notices.clear();
    letProperty(*c, "Sprache", rt::Variant("Deutsch"));
    EXPECT_EQ(host.ui.boxes().size(), 1u);   // reloaded
    EXPECT_EQ(host.notices, std::vector<std::string>{"Sprache"});
}

TEST(Messungen, SaveStoresTheVisibleColumnWidthsOfASetCircuit) {
    for (const rt::Variant& id : {rt::Variant(), rt::Variant(std::int32_t(0)), rt::Variant(std::int32_t(4))}) {
        Host host;
        auto c = host.create();
        if (!id.isEmpty()) letProperty(*c, "StromkreisID", id);
        Messungen& m = Host::of(c);
        m.fg2().setColWidth(5, 1234);
        m.fg2().setColWidth(6, 0);
        hosting::callMethod(*c, "Save");
        const bool stored = id.isNumberKind() && id.longValue() != 0;
        EXPECT_EQ(host.setting("ColWidth5"), stored ? "1234" : "<absent>");
        EXPECT_EQ(host.setting("ColWidth0"), stored ? "320" : "<absent>");
        EXPECT_EQ(host.setting("ColWidth6"), "<absent>");
    }
}

TEST(Messungen, PropertyBagRoundTrip) {
    Host host;
    auto a = host.create();
    hosting::PropertyBag fresh;
    a->writeProperties(fresh);
    ASSERT_EQ(fresh.entries().size(), 1u);   // trelvanDB and the empty corner cell equal their defaults
    EXPECT_EQ(fresh.entries()[0].first, "ColWidth0");
    EXPECT_EQ(fresh.read("ColWidth0").longValue(), 320);

    letProperty(*a, "TextMatrix", rt::Variant("Messstelle"), {rt::Variant(0), rt::Variant(0)});
    letProperty(*a, "ColWidth", rt::Variant(555), {rt::Variant(0)});
    hosting::PropertyBag bag;
    a->writeProperties(bag);
    EXPECT_EQ(bag.toText(), "TextMatrix0 = \"Messstelle\"\nColWidth0 = 555\n");

    auto b = host.create();
    b->readProperties(hosting::PropertyBag::fromText(bag.toText()));
    EXPECT_EQ(Host::of(b).fg2().textMatrix(0, 0), "Messstelle");
    EXPECT_EQ(Host::of(b).fg2().colWidth(0), 555);
    EXPECT_EQ(host.notices, (std::vector<std::string>{"TextMatrix", "ColWidth"}));
}

TEST(Messungen, ResizeFillsTheControlAndIgnoresErrors) {
    Host host;
    auto c = host.create();
    c->resize(12000, 5000);
    EXPECT_EQ(Host::of(c).fg2().width(), 12000 - 120);
    EXPECT_EQ(Host::of(c).fg2().height(), 5000 - 480);
    c->resize(100, 100);   // smaller than the grid's offset
    c->paint();
    EXPECT_EQ(Host::of(c).fg2().width(), 12000 - 120);
}

TEST(Messungen, ErrorsOfTheHostsCallsReachTheHost) {
    Host host;
    auto c = host.create();
    EXPECT_RT_ERROR(getProperty(*c, "ColWidth", {rt::Variant(100)}), 381);
    EXPECT_RT_ERROR(letProperty(*c, "TextMatrix", rt::Variant("x"), {rt::Variant(0), rt::Variant(100)}), 381);
    EXPECT_RT_ERROR(setProperty(*c, "trelvanDB", rt::Variant(std::shared_ptr<rt::Object>())), 91);
}

TEST(Messungen, TerminateReleasesTheSharedBackend) {
    Host host;
    DbPair db;
    auto a = host.create();
    auto b = host.create();
    setProperty(*a, "trelvanDB", object(db.frontend));
    ASSERT_TRUE(Host::of(b).state().backend);
    a.reset();
    EXPECT_FALSE(Host::of(b).state().backend);
    EXPECT_TRUE(Host::of(b).state().frontend);
    const std::int32_t sk = db.circuitOfPlaces(1);
    letProperty(*b, "StromkreisID", rt::Variant(sk));
    ASSERT_EQ(host.ui.boxes().size(), 1u);   // the load needs BackendDB
}

} // namespace
} // namespace measgrid::test
