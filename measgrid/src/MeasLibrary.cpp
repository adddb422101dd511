#include "MeasLibrary.h"

#include "Messungen.h"

namespace measgrid {

using hosting::Args;
using hosting::byRef;
using hosting::param;
using hosting::ParamType;

MeasLibrary::MeasLibrary() : LibraryDescriptor(kTypeLibraryName, kTypeLibraryId) {
    hosting::ClassBuilder<Messungen> b(kClassName, kClassId);
    b.defaultInterface(kInterfaceName, kInterfaceId).eventInterface(kEventInterfaceName, kEventInterfaceId);

    b.get("trelvanReplicaID", ParamType::Variant, &Messungen::trelvanReplicaID);
    b.let("trelvanReplicaID", {param("S_trelvanReplicaID", ParamType::Variant)}, &Messungen::setTrelvanReplicaID);
    b.get("trelvanDB", ParamType::Object, &Messungen::trelvanDB);
    b.set("trelvanDB", {param("New_trelvanDB", ParamType::Object)}, &Messungen::setTrelvanDB);
    b.get("StromkreisID", ParamType::Variant, &Messungen::stromkreisID);
    b.let("StromkreisID", {param("sStromkreisID", ParamType::Variant)}, &Messungen::setStromkreisID);
    b.get("Sprache", ParamType::String, &Messungen::sprache);
    b.let("Sprache", {param("sSprache", ParamType::String)}, &Messungen::setSprache);
    b.method("Save", {}, ParamType::Void, &Messungen::save);
    b.get("AppPath", ParamType::String, &Messungen::appPath);
    b.let("AppPath", {param("sAppPath", ParamType::String)}, &Messungen::setAppPath);
    b.get("TextMatrix", ParamType::String,
          [](Messungen& m, Args& a) { return m.textMatrix(a[0].longValue(), a[1].longValue()); },
          {param("Row", ParamType::Long), param("Col", ParamType::Long)})
        .help("Gibt den Textinhalt einer beliebigen Zelle (Z/S-Feldindex) zurück oder legt ihn fest.");
    b.let("TextMatrix",
          {param("Row", ParamType::Long), param("Col", ParamType::Long), param("New_TextMatrix", ParamType::String)},
          [](Messungen& m, Args& a) { m.setTextMatrix(a[0].longValue(), a[1].longValue(), a[2].stringValue()); });
    b.get("ColWidth", ParamType::Long, [](Messungen& m, Args& a) { return m.colWidth(a[0].longValue()); },
          {param("index", ParamType::Long)})
        .help("Bestimmt die Breite der angegebenen Spalte in Twips. Zur Entwurfszeit nicht verfügbar.");
    b.let("ColWidth", {param("index", ParamType::Long), param("New_ColWidth", ParamType::Long)},
          [](Messungen& m, Args& a) { m.setColWidth(a[0].longValue(), a[1].longValue()); });
    b.get("AllowEdits", ParamType::Boolean, &Messungen::allowEdits);
    b.let("AllowEdits", {param("sAllowEdits", ParamType::Boolean)}, &Messungen::setAllowEdits);
    b.get("AllowAdditions", ParamType::Boolean, &Messungen::allowAdditions);
    b.let("AllowAdditions", {param("sAllowAdditions", ParamType::Boolean)}, &Messungen::setAllowAdditions);
    b.get("AllowDeletions", ParamType::Boolean, &Messungen::allowDeletions);
    b.let("AllowDeletions", {param("sAllowDeletions", ParamType::Boolean)}, &Messungen::setAllowDeletions);
    b.get("LimitSupport", ParamType::Boolean, &Messungen::limitSupport);
    b.let("LimitSupport", {param("sLimitSupport", ParamType::Boolean)}, &Messungen::setLimitSupport);

    b.event("Grenzwert", {byRef("MessID", ParamType::String), byRef("Col", ParamType::Long)});
    addClass(b.build());
}

} // namespace measgrid
