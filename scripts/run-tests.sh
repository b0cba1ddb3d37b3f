#!/bin/bash
# Builds both targets and runs every test: the dialog's logic natively with
# sanitizers, then the Windows program, its library and their end-to-end
# tests under Wine on a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
jobs=$(nproc)

cmake --preset host
cmake --build --preset host -j"$jobs"
ctest --preset host -j"$jobs"

cmake --preset win32
cmake --build --preset win32 -j"$jobs"
# Windows tests share one Wine prefix and display; ctest runs them in turn.
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" ctest --preset win32
