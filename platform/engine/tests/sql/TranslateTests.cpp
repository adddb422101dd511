// Statements of the dialect run against SQLite through the translator.
#include <gtest/gtest.h>

#include "SqlFixture.h"
#include "runtime/Error.h"

namespace engine::sql::test {
namespace {

struct Case {
    const char* sql;
    const char* params;
    const char* expect;     // rows "a|b;c|d", "changes=n", or "" when `error` is set
    int error;
    const char* check;      // optional SELECT run afterwards whose rows replace the result
};

const Case kCases[] = {
    // Names: digits first, umlauts, brackets with blanks, parentheses and "&".
    {"SELECT MessID FROM 0100_Messung WHERE StromkreisID = 7 ORDER BY EigeneNr", "", "10000;10001", 0, nullptr},
    {"SELECT [Deutsch (&Deutschland)] FROM Sprache WHERE TextID = 'Rechts'", "", "rechts", 0, nullptr},
    {"SELECT [fit min], [FIT MAX] FROM 0100_GrenzwertRCD WHERE Faktor = 1/2 AND Selektive = -1", "", "130|500", 0, nullptr},
    {"SELECT * FROM 0100_GrenzwertRCD WHERE Faktor = 1 AND Selektive = 0", "", "1.0|0||300", 0, nullptr},
    {"SELECT Grenzwert FROM 0100_GrenzwertISO WHERE Prüfspannung = '500'", "", ">1", 0, nullptr},
    {"SELECT Count(*) FROM 0100_Betriebsmittel where PrüfungID = 1 AND ( Zeile = 0 OR Spalte = 0)", "", "2", 0, nullptr},
    {"SELECT * FROM 0100_Betriebsmittel where PrüfungID = 1 AND Zeile = 0 AND Spalte =  1", "",
     "1|1|0|1|Gerät|2024-01-31 00:00:00", 0, nullptr},
    // Both quote styles, doubled quotes; Sprache lookup as the translation service writes it.
    {"SELECT Sprache.[English] FROM Sprache WHERE (((Sprache.TextID) = \"Links\"));", "", "left", 0, nullptr},
    {"SELECT 'it''s', \"say \"\"hi\"\"\"", "", "it's|say \"hi\"", 0, nullptr},
    // Case-insensitive comparison, umlauts included; numbers stay numbers.
    {"SELECT English FROM Sprache WHERE TextID = 'ÄRGER'", "", "trouble", 0, nullptr},
    {"SELECT Count(*) FROM Sprache WHERE TextID > 'links' AND TextID <= 'RECHTS'", "", "1", 0, nullptr},
    {"SELECT 10 > 9, '10' > '9'", "", "-1|0", 0, nullptr},
    // DISTINCT ignores case like the comparison.
    {"SELECT Distinct Inhalt FROM 0100_Betriebsmittel where Zeile = 0", "", "Gerät", 0, nullptr},
    {"SELECT DISTINCTROW TOP 1 Inhalt FROM 0100_Betriebsmittel ORDER BY Inhalt DESC", "", "x", 0, nullptr},
    // Constants and operators.
    {"SELECT True, False, Yes, No, On, Off, Null", "", "-1|0|-1|0|-1|0|NULL", 0, nullptr},
    {"SELECT 1/2, 7\\2, 7 Mod 3, 2^3, -2^2, 1e3, .5", "", "0.5|3|1|8.0|-4.0|1000.0|0.5", 0, nullptr},
    {"SELECT 'a' & Null & 1.5 & 2, Null & Null, 'x' + 'y', 1 + '2'", "", "a1.52|NULL|xy|3.0", 0, nullptr},
    {"SELECT Not True, Not 5, True And False, 5 And 3, 1 = 1 Or 1 = 2, True Xor True, False Imp False", "",
     "0|-6|0|1|-1|0|-1", 0, nullptr},
    {"SELECT {guid {0F4B2A10-1C2D-4E5F-8A9B-0C1D2E3F4A5B}}, {GUID{x}}", "", "{0F4B2A10-1C2D-4E5F-8A9B-0C1D2E3F4A5B}|{x}", 0,
     nullptr},
    {"SELECT #2024-01-31#, #1/31/2024 1:05 PM#", "", "2024-01-31 00:00:00|2024-01-31 13:05:00", 0, nullptr},
    {"SELECT Inhalt FROM 0100_Betriebsmittel WHERE Datum > #1/31/2024#", "", "Prüfer", 0, nullptr},
    // Predicates.
    {"SELECT EigeneNr FROM 0100_Messung WHERE Bemerkung Is Null", "", "001", 0, nullptr},
    {"SELECT Count(*) FROM 0100_Messung WHERE Bemerkung Is Not Null AND MessID Not Between 10000 And 10001", "", "1",
     0, nullptr},
    {"SELECT MessID FROM 0100_Messung WHERE EigeneNr In ('002', '003') OR MessID Not In (10000, 10001)", "",
     "10001;10002", 0, nullptr},
    {"SELECT TextID FROM Sprache WHERE TextID Like 'r*' OR TextID Like '?RGER' ORDER BY TextID", "", "Rechts;Ärger", 0,
     nullptr},
    {"SELECT TextID FROM Sprache WHERE TextID Like '[!a-m]*' AND TextID Not Like '*[0-9#]' ORDER BY 1", "",
     "Rechts;Ärger", 0,
     nullptr},
    {"SELECT Count(*) FROM 0100_Messung WHERE EigeneNr Like '00#'", "", "3", 0, nullptr},
    {"SELECT MessID FROM 0100_Messung AS M WHERE Exists (SELECT * FROM 0100_GrenzwertISO WHERE M.StromkreisID = 8)",
     "", "10002", 0, nullptr},
    {"SELECT MessID FROM 0100_Messung WHERE StromkreisID In (SELECT StromkreisID FROM 0100_Messung WHERE EigeneNr = '002')",
     "", "10000;10001", 0, nullptr},
    // Functions count characters.
    {"SELECT Len('Prüfung'), Left('Prüfung', 3), Right('Prüfung', 4), Mid('Prüfung', 3, 2), UCase('ärger'), "
     "LCase('ÄRGER'), Trim('  a  ') & '|', InStr('Prüfung', 'FUNG'), InStr(4, 'abcabc', 'b')",
     "", "7|Prü|fung|üf|ÄRGER|ärger|a||4|5", 0, nullptr},
    {"SELECT Nz(Bemerkung), Nz(Bemerkung, 'k.A.'), IIf(MessID > 10000, 'gr', 'kl'), IsNull(Bemerkung) FROM 0100_Messung "
     "WHERE MessID = 10000", "", "|k.A.|kl|-1", 0, nullptr},
    {"SELECT Val(' 12 5abc'), CStr(2.0), CLng(2.5), CInt('3.5'), CDbl('1.25'), Abs(-3), Int(-1.5), Fix(-1.5), "
     "Round(2.5), Round(1.2345, 2)", "", "125.0|2|2|4|1.25|3|-2.0|-1.0|2.0|1.23", 0, nullptr},
    {"SELECT Count(*), Sum(Zeile), Avg(Spalte), Min(Inhalt), Max(Inhalt), First(Inhalt), Last(PrüfungID) "
     "FROM 0100_Betriebsmittel", "", "4|2|0.75|Gerät|x|Gerät|2", 0, nullptr},
    {"SELECT StromkreisID, Count(*) AS N FROM 0100_Messung GROUP BY StromkreisID HAVING Count(*) > 1", "", "7|2", 0,
     nullptr},
    {"SELECT Inhalt FROM 0100_Betriebsmittel WHERE Zeile = 0 UNION SELECT TextID FROM Sprache WHERE TextID = 'Links' "
     "ORDER BY Inhalt", "", "Gerät;Links", 0, nullptr},
    {"SELECT Zeile FROM 0100_Betriebsmittel UNION ALL SELECT Zeile FROM 0100_Betriebsmittel ORDER BY Zeile DESC", "",
     "1;1;1;1;0;0;0;0", 0, nullptr},
    // Joins, with the classic nested parentheses; comma joins; subqueries in FROM.
    {"SELECT M.EigeneNr, B.Inhalt FROM (0100_Messung AS M INNER JOIN 0100_Betriebsmittel AS B ON M.StromkreisID = "
     "B.PrüfungID + 6) INNER JOIN 0100_GrenzwertISO AS I ON B.Zeile = 0 ORDER BY M.EigeneNr, M.MessID", "",
     "001|Gerät;001|GERÄT;002|Gerät", 0, nullptr},
    {"SELECT M.MessID, K.Name FROM 0100_Messung M LEFT JOIN Kunde K ON M.StromkreisID = K.KundeID + 6 ORDER BY 1",
     "", "10000|Müller;10001|Müller;10002|Meier", 0, nullptr},
    {"SELECT Count(*) FROM 0100_Messung, 0100_GrenzwertISO", "", "3", 0, nullptr},
    {"SELECT X.E FROM (SELECT EigeneNr AS E FROM 0100_Messung WHERE MessID = 10002) AS X", "", "001", 0, nullptr},
    // Linked table.
    {"SELECT Name FROM Kunde WHERE Name = 'MÜLLER'", "", "Müller", 0, nullptr},
    // Stored queries as sources; their parameters become ours.
    {"SELECT EigeneNr FROM A_PlätzeVonStromkreis", "paraStromkreisID=7", "001;002", 0, nullptr},
    {"SELECT * FROM A_AnzahlPlätzeVonStromkreis WHERE Anzahl = 1", "", "8|1", 0, nullptr},
    {"SELECT English FROM Suchen", "paraDeutsch='rechts'", "right", 0, nullptr},
    // Parameters declared in the statement.
    {"PARAMETERS [Welche ID] Long, p2 Text; SELECT EigeneNr FROM 0100_Messung WHERE MessID = [Welche ID] OR "
     "EigeneNr = p2 ORDER BY 1", "Welche ID=10000;P2='002'", "001;002", 0, nullptr},
    // Action statements.
    {"DELETE * FROM 0100_Betriebsmittel Where Inhalt ='gerät'", "", "changes=2", 0, nullptr},
    {"DELETE FROM 0100_Betriebsmittel", "", "changes=4", 0, nullptr},
    {"DELETE 0100_Messung.* FROM 0100_Messung WHERE MessID = 10001", "", "2", 0,
     "SELECT Count(*) FROM 0100_Messung"},
    {"UPDATE 0100_Messung SET LoopRS = '0,5' WHERE MessID = 10001", "", "0,5", 0,
     "SELECT LoopRS FROM 0100_Messung WHERE MessID = 10001"},
    {"UPDATE 0100_Messung SET LoopRS = '' WHERE MessID = 10000", "", "1", 0,
     "SELECT Count(*) FROM 0100_Messung WHERE LoopRS = ''And LoopIKRS = ''"},
    {"UPDATE 0100_Messung SET LoopRS = LoopRS & '!', Bemerkung = 'it''s' WHERE EigeneNr = '001'", "",
     "0,5!|it's;|leer;1,2!|it's", 0,
     "SELECT LoopRS, Bemerkung FROM 0100_Messung ORDER BY MessID"},
    {"INSERT INTO 0100_GrenzwertISO (Grenzwert, Prüfspannung) VALUES ('>2', '1000')", "", "1000|>2;500|>1", 0,
     "SELECT * FROM 0100_GrenzwertISO ORDER BY Prüfspannung"},
    {"INSERT INTO 0100_GrenzwertISO SELECT EigeneNr AS Prüfspannung, LoopRS AS Grenzwert FROM 0100_Messung "
     "WHERE MessID = 10002", "", "1", 0, "SELECT Count(*) FROM 0100_GrenzwertISO WHERE Grenzwert = '1,2'"},
    {"INSERT INTO Kunde (KundeID, Name) VALUES (3, 'Schulz')", "", "3", 0, "SELECT Count(*) FROM Kunde"},
    // Writing through an updatable stored query.
    {"UPDATE A_PlätzeVonStromkreis SET Bemerkung = 'q' WHERE EigeneNr = '002'", "paraStromkreisID=7", "10001", 0,
     "SELECT MessID FROM 0100_Messung WHERE Bemerkung = 'Q'"},
    {"DELETE * FROM A_PlätzeVonStromkreis WHERE EigeneNr = '001'", "paraStromkreisID=7", "10001;10002", 0,
     "SELECT MessID FROM 0100_Messung ORDER BY MessID"},
    {"UPDATE 0100_Messung AS M INNER JOIN 0100_GrenzwertISO AS I ON M.EigeneNr = '001' AND I.Prüfspannung = '500' "
     "SET M.Bemerkung = I.Grenzwert", "", "2", 0, "SELECT Count(*) FROM 0100_Messung WHERE Bemerkung = '>1'"},
    // Errors: numbers by clause.
    {"SELECT * FROM Unbekannt", "", "", 3078, nullptr},
    {"SELECT * FROM Zyklus1", "", "", 3078, nullptr},
    {"SELECT * FROM Aktion", "", "", 3078, nullptr},
    {"SELECT * FROM 0100_GrenzwertRCD WHERE Faktor = 0,5 AND Selektive = 0", "", "", 3075, nullptr},
    {"SELECT Description FROM MSysReplicas WHERE ReplicaID =  ", "", "", 3075, nullptr},
    {"SELECT * FROM 0100_Messung WHERE EigeneNr = 'a''", "", "", 3075, nullptr},
    {"SELECT * FROM 0100_Messung WHERE (MessID = 1", "", "", 3075, nullptr},
    {"SELECT * FROM 0100_Messung WHERE Datum = #31/31/2024#", "", "", 3075, nullptr},
    {"SELECT * FROM (0100_Messung INNER JOIN", "", "", 3131, nullptr},
    {"SELECT {guid {x} FROM Sprache", "", "", 3075, nullptr},
    {"SELECT * FROM", "", "", 3131, nullptr},
    {"SELCT * FROM Sprache", "", "", 3129, nullptr},
    {"", "", "", 3129, nullptr},
    {"SELECT * FROM Sprache; x", "", "", 3142, nullptr},
    {"INSERT INTO Sprache (TextID VALUES ('x')", "", "", 3134, nullptr},
    {"INSERT INTO Sprache (Unbekannt) VALUES ('x')", "", "", 3127, nullptr},
    {"INSERT INTO Sprache (TextID) VALUES ('x', 'y')", "", "", 3346, nullptr},
    {"UPDATE 0100_Messung LoopRS = 1", "", "", 3144, nullptr},
    {"DELETE * 0100_Messung", "", "", 3145, nullptr},
    {"UPDATE A_AnzahlPlätzeVonStromkreis SET Anzahl = 1", "", "", 3073, nullptr},
    {"SELECT Foo(1) FROM Sprache", "", "", 3085, nullptr},
    {"SELECT Left('a') FROM Sprache", "", "", 3075, nullptr},
    {"SELECT EigeneNr FROM 0100_Messung, 0100_Messung AS M2", "", "", 3079, nullptr},
    {"SELECT MessID INTO Kopie FROM 0100_Messung", "", "", 3251, nullptr},
    // An unknown name is left to SQLite, which the engine reports as 3061.
    {"SELECT * FROM 0100_Messung WHERE Unbekannt = 1", "", "sqlite error: no such column", 0, nullptr},
};

class TranslateCase : public ::testing::TestWithParam<Case> {};

TEST_P(TranslateCase, RunsAsTheDialectDoes) {
    const Case& c = GetParam();
    SqlFixture f;
    if (c.error) {
        EXPECT_EQ(f.translateError(c.sql), c.error) << c.sql;
        return;
    }
    std::string got;
    try {
        got = f.run(c.sql, c.params);
        if (c.check) got = f.run(c.check);
    } catch (const rt::Error& e) {
        FAIL() << c.sql << " raised " << e.number() << " " << e.description();
    }
    if (std::string(c.expect).rfind("sqlite error", 0) == 0) EXPECT_EQ(got.rfind(c.expect, 0), 0u) << got << " / " << c.expect;
    else EXPECT_EQ(got, c.expect) << c.sql;
}

INSTANTIATE_TEST_SUITE_P(Statements, TranslateCase, ::testing::ValuesIn(kCases));

} // namespace
} // namespace engine::sql::test
