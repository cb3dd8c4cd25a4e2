#!/usr/bin/env bash
# Renders the program icon packaging/icons/quorvex.svg into the PNG sizes that
# are installed and built into the program (needs rsvg-convert, librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" quorvex.svg -o "quorvex-$size.png"
done
