#include "Limits.h"

#include "engine/Database.h"
#include "engine/Errors.h"
#include "engine/Recordset.h"
#include "grid/FlexGrid.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "runtime/Text.h"
#include "services/Sprachen.h"
#include "toolkit/UiServices.h"

namespace measgrid {

namespace {

engine::Database& backendOf(const ModuleContext& ctx) {
    if (!ctx.state.backend) throw rt::Error(91, "Object variable or With block variable not set", "measgrid");
    return *ctx.state.backend;
}

std::string textOf(const rt::Variant& v, const ModuleContext& ctx) { return rt::textOf(v, ctx.regional); }

// SicherungstypID neither 0 nor empty (Null counts as not set).
bool deviceSet(const rt::Variant& typ, const ModuleContext& ctx) {
    if (typ.isNull() || textOf(typ, ctx).empty()) return false;
    const auto c = rt::compare(typ, rt::Variant(std::int32_t(0)), ctx.regional);
    return c && *c != 0;
}

} // namespace

void reportError(const ModuleContext& ctx, const rt::Error& e) {
    if (ctx.beforeMessage) ctx.beforeMessage();
    ctx.ui.msgBox(std::to_string(e.number()) + " " + e.description(), tk::mb::OKOnly);
}

std::string GrenzwertIsoSql(std::string_view viso) {
    std::string quoted;
    for (char ch : viso) {
        quoted += ch;
        if (ch == '\'') quoted += '\'';
    }
    return "SELECT * FROM 0100_GrenzwertISO WHERE Prüfspannung = '" + quoted + "'";
}

std::string GrenzwertRcdSql(std::string_view fiFaktor) {
    std::string f = FaktorErmitteln(fiFaktor);
    if (f.empty()) f = "1";
    const bool selective = rt::text::instrNoCase(1, fiFaktor, "S") > 0;
    return "SELECT * FROM 0100_GrenzwertRCD WHERE Faktor = " + f + " AND Selektive = " + (selective ? "-1" : "0");
}

void GrenzwerteAnlegen(engine::Recordset& g, engine::Recordset& mess, engine::Recordset& legend,
                       const ModuleContext& ctx) {
    try {
        const rt::Variant messId = mess.value("MessID");
        g.findFirst("MessID = " + rt::textOf(messId, ctx.regional));
        if (!g.noMatch()) return;

        engine::Database& backend = backendOf(ctx);
        auto standard = backend.openRecordset("0100_GrenzwertStandard");
        g.addNew();
        const int n = g.fields().count();
        for (int i = 1; i <= n - 3; ++i) {
            if (rt::text::startsWith(standard->fields()[i].name(), "s_")) continue;
            g.fields()[i].setValue(standard->value(i));
        }
        standard->close();
        g.field("MessID").setValue(messId);
        g.field("StromkreisID").setValue(mess.value("StromkreisID"));

        auto iso = backend.openRecordset(GrenzwertIsoSql(textOf(mess.value("VISO"), ctx)));
        if (!iso->eof()) g.field("RISO").setValue(rt::Variant(textOf(iso->value("Grenzwert"), ctx)));
        iso->close();

        if (!legend.eof() && deviceSet(legend.value("SicherungstypID"), ctx)) {
            const rt::Variant limit = legend.value("Grenzwert");
            const std::string loop = SchleifenGrenzwert(textOf(limit, ctx), ctx);
            g.field("LoopIKRS").setValue(limit);
            g.field("LoopRS").setValue(rt::Variant(loop));
            g.field("LoopIKRI").setValue(limit);
            g.field("LoopRI").setValue(rt::Variant(loop));
        }

        auto rcd = backend.openRecordset(GrenzwertRcdSql(textOf(mess.value("FIFaktor"), ctx)));
        g.field("fit min").setValue(rcd->value("fit min"));
        g.field("fit max").setValue(rcd->value("fit max"));
        rcd->close();

        g.update();
        const engine::Bookmark stored = g.lastModified();
        g.setBookmark(stored);
    } catch (const rt::Error& e) {
        try {
            if (g.editMode() != engine::EditMode::None) g.cancelUpdate();
        } catch (const rt::Error&) {
            // the cursor is gone; nothing was stored through it
        }
        reportError(ctx, e);
    }
}

std::string SchleifenGrenzwert(std::string_view limit, const ModuleContext& ctx) {
    try {
        return SchleifenGrenzwertRaw(limit, ctx.regional);
    } catch (const rt::Error& e) {
        reportError(ctx, e);
        return {};
    }
}

EvalCode GrenzwertVergleich(std::string_view value, std::string_view limit, const ModuleContext& ctx) {
    try {
        return GrenzwertVergleichRaw(value, limit, ctx.regional);
    } catch (const rt::Error& e) {
        reportError(ctx, e);
        return kPasses;
    }
}

EvalCode MesswertBewerten(engine::Recordset& mess, std::int32_t pos, engine::Recordset& limit,
                          const ModuleContext& ctx) {
    try {
        const std::string name = mess.fields()[pos].name();
        const std::string v = textOf(mess.value(pos), ctx);
        auto L = [&](const std::string& field) { return textOf(limit.value(field), ctx); };

        if (name == "DREH") {
            services::Sprachen& spra = ctx.state.objSpra();
            const std::string r = rt::text::upper(spra.xText("Rechts"));
            const std::string k = rt::text::upper(spra.xText("Links"));
            const std::string u = rt::text::upper(v);
            const rt::Variant d(L("DREH"));
            const bool one = rt::equals(d, rt::Variant(std::int32_t(1)), ctx.regional);
            const bool two = rt::equals(d, rt::Variant(std::int32_t(2)), ctx.regional);
            if ((two && u == r) || (one && u == k)) return kFails;
            if ((one && u == r) || (two && u == k)) return kPasses;
            return kNotEvaluable;
        }
        if (name == "EigeneNr" || name == "VISO" || name == "FGRAD" || name == "FIFaktor" || name == "FIIDN")
            return kPasses;
        if (name == "FIIMESS") {
            const std::string idn = textOf(mess.value("FIIDN"), ctx);
            const EvalCode a = GrenzwertVergleich(v, "<" + idn, ctx);
            EvalCode b = kPasses;
            if (rt::isNumeric(rt::Variant(idn), ctx.regional)) {
                const double half = rt::toDouble(rt::Variant("0" + idn), ctx.regional) / 2;
                b = GrenzwertVergleich(v, ">" + rt::numberToText(half, ctx.regional), ctx);
            }
            return combineEvaluations(a, b);
        }
        if (name == "FIT")
            return combineEvaluations(GrenzwertVergleich(v, L("FIT Max"), ctx), GrenzwertVergleich(v, L("FIT Min"), ctx));
        return GrenzwertVergleich(v, L(name), ctx);
    } catch (const rt::Error& e) {
        reportError(ctx, e);
        return kPasses;
    }
}

void MarkCell(grid::FlexGrid& fg, EvalCode code) {
    switch (code) {
    case kFails:
        fg.setCellFontBold(true);
        fg.setCellForeColor(kColorFails);
        break;
    case kPasses:
        fg.setCellFontBold(false);
        fg.setCellForeColor(kColorPasses);
        break;
    case kNotEvaluable:
        fg.setCellFontBold(true);
        fg.setCellForeColor(kColorNotEvaluable);
        break;
    default:
        break;
    }
}

} // namespace measgrid
