#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, when they are missing.
set -euo pipefail
pkgs=(cmake g++ make pkg-config libsqlite3-dev sqlite3 libgtest-dev googletest clang libclang-rt-14-dev)
if [ "${PG_WITH_QT:-0}" = "1" ]; then
  pkgs+=(qt6-base-dev libgl-dev)
fi
missing=()
for p in "${pkgs[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
