#pragma once
// Limit values and evaluation of the measurement grid.
//
// Every measurement row of 0100_Messung has one row of limits in
// 0100_Grenzwert. GrenzwerteAnlegen creates it when it is missing (from the
// standard limits, the insulation limit of the test voltage, the circuit's
// protective device and the residual-current device's trip times);
// MesswertBewerten evaluates one field of a measurement row against its
// limit; MarkCell shows the result in the grid's current cell.
//
// Failure handling: each of GrenzwerteAnlegen, SchleifenGrenzwert,
// MesswertBewerten and GrenzwertVergleich catches the errors of its own
// body, shows one message box "<number> <description>" with an OK button
// only and returns its fallback: nothing (a started limit row is cancelled,
// never stored), "", 0 and 0. FaktorErmitteln cannot fail (LimitRules.h).
//
// Databases: the limit tables are read from BackendDB (MeasState::backend);
// a missing BackendDB is error 91, reported like any other.
#include <string>
#include <string_view>

#include "LimitRules.h"
#include "ModuleContext.h"

namespace engine { class Recordset; }
namespace grid { class FlexGrid; }

namespace measgrid {

// The insulation limit query for a test voltage. The voltage is a text
// constant of the statement; an apostrophe in it is doubled, so it cannot
// end the constant early.
std::string GrenzwertIsoSql(std::string_view viso);
// The trip-time limit query for the test factor as entered ('x1/2 S' ->
// "... WHERE Faktor = 1/2 AND Selektive = -1"; '' -> "Faktor = 1 AND
// Selektive = 0"). The factor goes into the statement as it stands, so the
// engine computes '1/2'.
std::string GrenzwertRcdSql(std::string_view fiFaktor);

// Positions the limit cursor on the limit row of the measurement row that
// mess stands on, creating that row first when it is missing. legend is
// the circuit's A_StromkreisLegende cursor (its first row is used).
void GrenzwerteAnlegen(engine::Recordset& limits, engine::Recordset& mess, engine::Recordset& legend,
                       const ModuleContext& ctx);

std::string SchleifenGrenzwert(std::string_view limit, const ModuleContext& ctx);
EvalCode GrenzwertVergleich(std::string_view value, std::string_view limit, const ModuleContext& ctx);

// Evaluates field position pos of the measurement row against the limit
// row the limit cursor stands on (GrenzwerteAnlegen positions it).
// DREH compares the words for "Rechts"/"Links" of the current language.
EvalCode MesswertBewerten(engine::Recordset& mess, std::int32_t pos, engine::Recordset& limit,
                          const ModuleContext& ctx);

// Cell marks of the evaluation codes (OLE colours).
inline constexpr std::uint32_t kColorFails = 0x0000FFu;          // red
inline constexpr std::uint32_t kColorPasses = 0x80000012u;       // button text
inline constexpr std::uint32_t kColorNotEvaluable = 0xFF0000u;   // blue

// Marks the grid's current cell for code: -1 bold red, 0 plain in the
// button text colour, 2 bold blue; any other code changes nothing. Callers
// mark only while LimitSupport is true.
void MarkCell(grid::FlexGrid& fg, EvalCode code);

} // namespace measgrid
