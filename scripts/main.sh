#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job: builds the sample
# host databases with the engine layer, prints what they hold, and shows two
# circuits through the measurement control (headless), limit marks included.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
out=${PG_DEMO_DIR:-build/demo}
rm -rf "$out"
build/host/sampledb/pgsample "$out"
echo
build/platform/engine/tools/pgsql "$out/Pruefung.mde" \
  "SELECT Kunde.Name, Stromkreis.Nummer, Stromkreis.Bezeichnung, A_StromkreisLegende.Grenzwert AS [Ik min] FROM (((Stromkreis INNER JOIN Prüfung ON Stromkreis.PrüfungID = Prüfung.PrüfungID) INNER JOIN A_StromkreisLegende ON Stromkreis.StromkreisID = A_StromkreisLegende.StromkreisID) INNER JOIN Anlage ON Prüfung.AnlageID = Anlage.AnlageID) INNER JOIN Kunde ON Anlage.KundeID = Kunde.KundeID ORDER BY Kunde.Name, Stromkreis.Nummer"
echo
build/bin/pgscenario --base . --work "$out" --settings "$out/settings" host/demo/messungen.scn
