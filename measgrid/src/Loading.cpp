#include "Loading.h"

#include <cmath>
#include <optional>
#include <vector>

#include "ColumnCatalog.h"
#include "Limits.h"
#include "engine/Database.h"
#include "engine/Engine.h"
#include "engine/Errors.h"
#include "engine/QueryDef.h"
#include "engine/Recordset.h"
#include "grid/FlexGrid.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "runtime/Text.h"
#include "settings/Store.h"
#include "toolkit/UiServices.h"

namespace measgrid {

namespace {

constexpr const char* kDefaultQuery = "MessungenVonStromkreis";

rt::Error notSet() { return rt::Error(91, "Object variable or With block variable not set", "measgrid"); }

// Fields that never show: "Grenzwerte" and those whose first seven
// characters are "Reserve".
bool neverShown(const std::string& name) {
    return name == "Grenzwerte" || rt::text::left(name, 7) == "Reserve";
}

bool bookkeeping(const std::string& name) {
    return rt::text::startsWith(name, "s_") || rt::text::startsWith(name, "Gen_");
}

// The stored column widths of the section, read once per loading.
class StoredWidths {
public:
    explicit StoredWidths(const ModuleContext& ctx) : ctx_(ctx) {}
    std::int32_t of(int c) {
        if (!entries_) entries_ = ctx_.settings.getAllSettings(kSettingsApp, kSettingsSection);
        const std::string key = "ColWidth" + std::to_string(c);
        for (const auto& [k, v] : *entries_)
            if (rt::text::equalsNoCase(k, key)) return rt::toLong(rt::Variant(v), ctx_.regional);
        return kDefaultStoredWidth;
    }

private:
    const ModuleContext& ctx_;
    std::optional<std::vector<std::pair<std::string, std::string>>> entries_;
};

// The busy pointer of the loading is the screen's; the grid's own
// MousePointer belongs to the callers that set it (row deletion,
// compaction), which reset it after the loading.
void showPointer(const ModuleContext& ctx, int shape) { ctx.ui.setMousePointer(shape); }

} // namespace

std::string circuitKeyText(const rt::Variant& circuit) {
    auto notNumber = [](const std::string& shown) {
        return rt::Error(kCircuitNotNumberError,
                         "StromkreisID '" + shown + "' ist keine Zahl; die Messungen werden nicht geladen.",
                         "measgrid");
    };
    switch (circuit.type()) {
    case rt::VarType::Integer: return std::to_string(circuit.integerValue());
    case rt::VarType::Long: return std::to_string(circuit.longValue());
    case rt::VarType::Double: {
        const double d = circuit.doubleValue();
        if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 1e15)
            return std::to_string(static_cast<long long>(d));
        throw notNumber(rt::numberToText(d, rt::Regional::english()));
    }
    case rt::VarType::String: {
        const std::string s = rt::text::trim(circuit.stringValue());
        if (s.empty()) break;
        std::size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
        bool digits = i < s.size();
        for (std::size_t k = i; k < s.size(); ++k)
            if (s[k] < '0' || s[k] > '9') digits = false;
        if (!digits) throw notNumber(s);
        return s[0] == '+' ? s.substr(1) : s;
    }
    case rt::VarType::Empty:
    case rt::VarType::Null: break;
    default: throw notNumber(rt::typeName(circuit.type()));
    }
    throw rt::Error(kNoCircuitError, "Kein Stromkreis gewählt: ohne StromkreisID können die Messungen nicht geladen werden.",
                    "measgrid");
}

namespace {

// The limit rows a loading creates are stored in one transaction of the
// back-end's workspace, committed when the rows are shown or the loading
// ends with an error (what was stored stays stored either way); each row
// is then not a commit of its own to the disk. A message box commits what
// was stored so far first (the next row begins a new transaction), so the
// write lock is never held while the user reads a message.
//
// A commit that fails (another connection keeps the file locked beyond the
// engine's wait) rolls the transaction back: the rows of this loading are
// then not stored (the next loading creates them again), and no
// transaction stays open to swallow the later writes of the workspace.
class LimitBatch {
public:
    explicit LimitBatch(engine::Database& backend) : ws_(backend.workspace()) { begin(); }
    void begin() {
        if (open_) return;
        ws_.beginTrans();
        open_ = true;
    }
    ~LimitBatch() {
        try {
            commit();
        } catch (const rt::Error&) {
            // the caller already reports an error of its own
        }
    }
    void commit() {
        if (!open_) return;
        open_ = false;
        try {
            ws_.commitTrans();
        } catch (const rt::Error&) {
            try {
                ws_.rollback();
            } catch (const rt::Error&) {
                // the commit's error is the one to report
            }
            throw;
        }
    }

private:
    engine::Workspace& ws_;
    bool open_ = false;
};

} // namespace

void MessungenLaden(std::int32_t hideEmpty, const std::string& queryName, grid::FlexGrid& fg,
                    const rt::Variant& circuit, const ModuleContext& ctx) {
    try {
        // 1. The selection to restore.
        int rowSelEnd = fg.rowSel(), row = fg.row(), colSelEnd = fg.colSel(), col = fg.col();

        // 2. The measurement cursor.
        if (!ctx.state.frontend) throw notSet();
        engine::Database& front = *ctx.state.frontend;
        auto query = front.queryDef(queryName.empty() ? kDefaultQuery : queryName);
        const std::string key = circuitKeyText(circuit);
        query->setParameter("paraStromkreisID", circuit);
        auto mess = query->openRecordset(engine::RecordsetType::Dynaset);

        // 3. Limit and legend cursors.
        if (!ctx.state.backend) throw notSet();
        auto limits = ctx.state.backend->openRecordset("SELECT * FROM 0100_Grenzwert WHERE StromkreisID = " + key);
        auto legend = front.openRecordset("SELECT * FROM A_StromkreisLegende WHERE StromkreisID = " + key);

        // 4.
        fg.setRedraw(false);
        fg.setRows(kFirstDataRow + 1);

        // 5. Columns: the fields before the trailing "s_"/"Gen_" block, less two.
        const int n = mess->fields().count();
        std::vector<std::string> names(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) names[static_cast<std::size_t>(i)] = mess->fields()[i].name();
        int cols = n - 1;
        if (n > 0 && rt::text::startsWith(names.back(), "s_")) {
            int i = 2;
            while (n - i >= 0 && bookkeeping(names[static_cast<std::size_t>(n - i)])) ++i;
            cols = n - i;
        }
        fg.setCols(cols);
        const int lastCol = fg.cols() - 1;

        // 6.
        fg.setFixedRows(kHeadingRows);
        for (int c = 1; c <= lastCol; ++c) fg.setColWidth(c, 0);

        std::vector<char> hidden(static_cast<std::size_t>(lastCol + 1), 0);
        for (int c = 1; c <= lastCol; ++c) hidden[static_cast<std::size_t>(c)] = neverShown(names[static_cast<std::size_t>(c - 1)]);
        StoredWidths widths(ctx);
        const bool marking = ctx.state.limitSupport != 0;

        if (!mess->eof()) {
            // 7.
            fg.setRowHeight(kFirstDataRow, kDataRowHeight);
            fg.setAllowUserResizing(grid::resize::Both);
            mess->moveLast();
            mess->moveFirst();
            fg.setRows(static_cast<int>(mess->recordCount()) + kFirstDataRow);
            if (fg.rows() > kBusyAboveRows) showPointer(ctx, grid::kPointerBusy);

            const int messIdField = mess->fields().indexOf("MessID");
            LimitBatch batch(*ctx.state.backend);
            // The routines' own message boxes release the write lock first.
            ModuleContext rowCtx = ctx;
            rowCtx.beforeMessage = [&batch] { batch.commit(); };
            for (int r = kFirstDataRow; !mess->eof(); ++r) {
                batch.begin();
                GrenzwerteAnlegen(*limits, *mess, *legend, rowCtx);
                for (int c = 1; c <= lastCol; ++c) {
                    if (hidden[static_cast<std::size_t>(c)]) {
                        fg.setTextMatrix(r, c, "");
                        continue;
                    }
                    const std::string text = rt::textOf(mess->value(c - 1), ctx.regional);
                    if (hideEmpty == 1 && text.empty()) {
                        fg.setTextMatrix(r, c, "");
                        continue;
                    }
                    fg.setTextMatrix(r, c, text);
                    if (c <= col::LastEvaluated) {
                        const EvalCode code = MesswertBewerten(*mess, c - 1, *limits, rowCtx);
                        if (code == kFails || code == kPasses || code == kNotEvaluable) {
                            fg.setRow(r);
                            fg.setCol(c);
                            if (marking) MarkCell(fg, code);
                        }
                    }
                    if (fg.colWidth(c) < 1) fg.setColWidth(c, widths.of(c));
                }
                const rt::Variant messId = messIdField >= 0 ? mess->value(messIdField) : mess->value("MessID");
                fg.setRowData(r, rt::toLong(messId, ctx.regional));
                mess->moveNext();
            }
            batch.commit();
        } else {
            // 8.
            for (int c = 1; c <= lastCol; ++c) {
                fg.setTextMatrix(kFirstDataRow, c, "");
                if (hideEmpty != 1 && !hidden[static_cast<std::size_t>(c)]) fg.setColWidth(c, widths.of(c));
            }
            fg.setRowData(kFirstDataRow, 0);
            fg.setRowHeight(kFirstDataRow, 0);
            fg.setAllowUserResizing(grid::resize::Columns);
            rowSelEnd = row = kFirstDataRow;
            colSelEnd = col = 0;
        }
        mess->close();
        legend->close();
        limits->close();

        // 9. Each step on its own; what the grid no longer has stays unset.
        auto ignoring = [](auto&& step) {
            try {
                step();
            } catch (const rt::Error&) {
            }
        };
        ignoring([&] { fg.setCol(col); });
        ignoring([&] { fg.setRow(row); });
        ignoring([&] { fg.setRowSel(rowSelEnd); });
        ignoring([&] { fg.setColSel(colSelEnd); });

        // 10.
        fg.setRedraw(true);
        showPointer(ctx, grid::kPointerDefault);
    } catch (const rt::Error& e) {
        showPointer(ctx, grid::kPointerDefault);
        fg.setRedraw(true);
        if (e.number() != engine::err::NoCurrentRecord) ctx.ui.msgBox(e.description(), tk::mb::OKOnly);
    }
}

} // namespace measgrid
