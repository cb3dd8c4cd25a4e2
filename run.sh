#!/usr/bin/env bash
# Builds Quorvex and starts it on the simulated instrument. Arguments are
# passed to the program (e.g. ./run.sh --sim=model=1,ch1=square:5k:3).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
qv_install_missing "${QV_PACKAGES[@]}"
qv_configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"

if [ -x build/bin/quorvex ]; then
  if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: running the scripted demonstration on Qt's offscreen platform."
    mkdir -p demo
    QT_QPA_PLATFORM=offscreen exec build/bin/quorvex --demo=demo "$@"
  fi
  exec build/bin/quorvex "$@"
fi
# Until the desktop program exists, show what the headless tool does.
exec build/bin/quorvex-cli "$@"
