#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job: creates a small
# database with the engine layer and prints what it holds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
out=${PG_DEMO_DIR:-build/demo}
mkdir -p "$out"
db="$out/demo.mdb"
rm -f "$db"
sql=build/platform/engine/tools/pgsql
"$sql" --create "$db" "CREATE TABLE Kunde (KundeID COUNTER, Name TEXT(50), Ort TEXT(50))"
"$sql" "$db" "INSERT INTO Kunde (Name, Ort) VALUES ('Elektro Müller', 'Köln')"
"$sql" "$db" "INSERT INTO Kunde (Name, Ort) VALUES (\"Schäfer & Söhne\", 'Aachen')"
"$sql" "$db" "SELECT * FROM Kunde WHERE Ort Like 'k*' OR Name Like '*SÖHNE'"
