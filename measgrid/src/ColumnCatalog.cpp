#include "ColumnCatalog.h"

#include "grid/FlexGrid.h"
#include "services/Sprachen.h"

namespace measgrid {

namespace {

// One text of the catalog: translated through objSpra or shown as written,
// with an untranslated suffix ("Reserve" (T) + "2").
struct Text {
    const char* term;
    bool translate;
    const char* suffix = "";
};

constexpr Text T(const char* term) { return {term, true}; }
constexpr Text K(const char* term) { return {term, false}; }   // kept as written
constexpr Text Reserve(const char* digit) { return {"Reserve", true, digit}; }

struct Entry {
    Text group, heading, symbol, unit;
};

// Columns 1 to 43 in order.
const Entry kCatalog[] = {
    {T("Platz"), T("Nummer"), K(""), K("")},
    {K(""), T("Grenzwerte"), K(""), K("")},
    {K(""), Reserve("2"), K(""), K("")},
    {K(""), Reserve("3"), K(""), K("")},
    {T("Drehfeld"), T("Dreh- richtung"), K(""), K("")},
    {K("PE"), T("Durchgängigkeit Schutzleiter/ Potentialausgleich"), T("Rlow"), K("Ohm")},
    {T("Schleife"), T("Widerstand"), K("Rs"), K("Ohm")},
    {T("Schleife"), T("Kurzschluß- strom"), T("Ik (Rs)"), K("A")},
    {T("Schleife"), T("Innen- widerstand"), T("Ri"), K("Ohm")},
    {T("Schleife"), T("Kurzschluß- strom"), T("Ik (Ri)"), K("A")},
    {T("Isolation"), T("Prüf- spannung"), T("Uiso"), K("V")},
    {T("Isolation"), T("Widerstand"), T("Riso"), K("MOhm")},
    {T("Isolation"), Reserve("4"), K(""), K("")},
    {T("FI"), T("Auslösezeit"), T("tmess"), K("ms")},
    {T("FI"), T("Ausgelöste Halbwelle"), T("Stromart"), T("Halbwelle")},
    {T("FI"), T("Faktor"), K(""), K("")},
    {T("FI"), T("Nennfehlerstrom"), T("Idn"), K("mA")},
    {T("FI"), T("Auslösestrom"), T("Imess"), K("mA")},
    {T("FI"), T("Berührungs- spannung"), T("UB"), K("V")},
    {T("FI"), T("Erdungs- widerstand"), T("RE"), K("Ohm")},
    {T("Erde"), T("Erdungs- widerstand"), T("RE"), K("Ohm")},
    {T("Zusatzmessungen"), T("Speziefischer Erdwiderstand"), T("Ro"), K("Ohm*m")},
    {T("Zusatzmessungen"), Reserve("6"), K(""), K("")},
    {T("Zusatzmessungen"), T("Schleife- widerstand"), T("RPE"), K("Ohm")},
    {T("Zusatzmessungen"), T("Schleife- widerstand"), T("RN"), K("Ohm")},
    {T("Zusatzmessungen"), T("Schleife- widerstand"), T("RL"), K("Ohm")},
    {T("Zusatzmessungen"), T("Gleich- spannung"), T("Udc"), K("V")},
    {T("Zusatzmessungen"), T("Wechsel- spannung"), T("Uac"), K("V")},
    {T("Zusatzmessungen"), T("Frequenz"), T("f"), K("Hz")},
    {T("Zusatzmessungen"), T("Strom (Stromzange)"), T("I"), K("A")},
    {T("Zusatzmessungen"), T("Spitzenstrom (Stromzange)"), T("I"), K("A")},
    {T("Zusatzmessungen"), T("Energie / Verbrauch"), K(""), K("Wh")},
    {T("Zusatzmessungen"), T("Leistung"), K(""), K("W")},
    {T("Zusatzmessungen"), T("Oberschwingungen Strom"), K(""), K("%")},
    {T("Zusatzmessungen"), T("Oberschwingungen Spannung"), K(""), K("%")},
    {T("Zusatzmessungen"), Reserve("7"), K(""), K("")},
    {T("Zusatzmessungen"), T("SchutzpegelAC"), K(""), K("V")},
    {T("Zusatzmessungen"), T("SchutzpegelDC"), K(""), K("V")},
    {T("Zusatzmessungen"), T("Funktion"), K(""), K("")},
    {T("Zusatzmessungen"), T("Messwert"), K(""), K("")},
    {T("Zusatzmessungen"), T("Einheit"), K(""), K("")},
    {K(""), T("Bemerkung"), K(""), K("")},
    {K(""), K("StromkreisID"), K(""), K("")},
};

std::string render(const Text& t, services::Sprachen& objSpra) {
    std::string s = t.translate ? objSpra.xText(t.term) : std::string(t.term);
    return s + t.suffix;
}

} // namespace

void SpalteBenennen(const std::string& gruppe, std::int16_t spalte, const std::string& ueberschrift,
                    const std::string& symbol, const std::string& einheit, grid::FlexGrid& fg) {
    fg.setTextMatrix(0, spalte, gruppe);
    fg.setTextMatrix(1, spalte, ueberschrift);
    fg.setTextMatrix(2, spalte, symbol);
    fg.setTextMatrix(3, spalte, einheit);
    fg.setColAlignment(spalte, grid::align::RightCenter);
}

void SpaltenAufbauen(grid::FlexGrid& fg, services::Sprachen& objSpra) {
    fg.setColWidth(col::RowHeader, kRowHeaderWidth);
    fg.setRowHeight(1, kHeadingRowHeight);
    fg.setColAlignment(col::RowHeader, grid::align::LeftCenter);
    fg.setCols(col::CatalogCount);

    std::int16_t spalte = 1;
    const Text* lastGroup = nullptr;
    std::string group;
    for (const Entry& e : kCatalog) {
        // The group text is translated once per group.
        if (!lastGroup || std::string_view(lastGroup->term) != e.group.term ||
            lastGroup->translate != e.group.translate) {
            group = render(e.group, objSpra);
            lastGroup = &e.group;
        }
        SpalteBenennen(group, spalte, render(e.heading, objSpra), render(e.symbol, objSpra),
                       render(e.unit, objSpra), fg);
        if (spalte == col::Funktion || spalte == col::Einheit) fg.setColAlignment(spalte, grid::align::LeftCenter);
        ++spalte;
    }

    for (int r = 0; r < kHeadingRows; ++r) {
        for (int c = 0; c < fg.cols(); ++c) {
            fg.setRow(r);
            fg.setCol(c);
            fg.setCellAlignment(grid::align::CenterCenter);
        }
    }
}

} // namespace measgrid
