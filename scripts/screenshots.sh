#!/usr/bin/env bash
# Regenerates the user guide's screenshots in help/screenshots/: runs the
# desktop program's scripted demonstration offscreen on the simulated
# instrument (build/bin/quorvex must be built) and keeps its pictures.
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/bin/quorvex}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
QT_QPA_PLATFORM=offscreen "$program" --demo="$out" >/dev/null
mkdir -p help/screenshots
cp "$out"/*.png help/screenshots/
ls -l help/screenshots
