#!/bin/bash
# Builds everything and runs every test: the dialog's logic natively with
# sanitizers, then the Windows program, its library and their end-to-end
# tests under Wine on a virtual display.
set -euo pipefail
. "$(dirname "$0")/lib/prelude.sh"
jobs=$(nproc)

cmake --preset host
cmake --build --preset host -j"$jobs"
ctest --preset host -j"$jobs"

# The product is the 32-bit build; it is built on every machine, and its
# files are checked on every machine by the tests that run none of them.
cmake --preset win32
cmake --build --preset win32 -j"$jobs"
cmake --build --preset win32 --target release
ctest --preset win32 -L static

if [ "$arch" = win64 ]; then
    echo "This machine runs 64-bit code only, so Wine cannot start the 32-bit program:"
    echo "the Windows tests run on the 64-bit build of the same sources instead."
    cmake --preset win64
    cmake --build --preset win64 -j"$jobs"
    cmake --build --preset win64 --target release
fi
# Windows tests share one Wine prefix and a virtual display of their own,
# which keeps their windows off a developer's screen; ctest runs them in turn.
# The static checks ran above, on the shipped files.
start_virtual_display
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
ctest --preset "$arch" -LE static
