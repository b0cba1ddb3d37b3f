#!/bin/bash
# Builds the program and its benchmark and prints the figures of
# docs/performance.md as Markdown: sizes, start-up against a bare dialog,
# working set, enumeration and keypad round trip, measured under Wine in a
# prefix of the benchmark's own. Usage: run-benchmarks.sh [PAIRS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/virtual-display.sh
. scripts/wine.sh
scripts/install-deps.sh >&2
# Where the machine runs 64-bit code only, the timings are of the 64-bit
# build of the same sources; the sizes are always the shipped 32-bit ones.
if machine_runs_32bit; then arch=win32; else arch=win64; fi
for preset in win32 $arch; do
    cmake --preset $preset >/dev/null
    cmake --build --preset $preset -j"$(nproc)" >/dev/null
done

echo "## Figures"
echo
echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') with $(wine --version 2>/dev/null || /usr/lib/wine/wine64 --version),"
echo "on $(nproc) cores of $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1),"
echo "$(free -g | awk '/^Mem:/ {print $2}') GiB, $(uname -sr); timings of the $arch build."
echo
echo "### Sizes of the shipped 32-bit release binaries"
echo
echo "| file | bytes |"
echo "|---|---|"
for file in PelmoraConfig.exe OvMohReg.dll; do
    echo "| $file | $(stat -c %s "build/win32/bin/$file") |"
done
echo

use_wine_prefix "$root/build/$arch/benchmark-prefix" $arch
xvfb_pid=""
trap 'wineserver -k 2>/dev/null || true; [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true' EXIT
[ -n "${DISPLAY:-}" ] || start_virtual_display
boot_wine_prefix
"$wine" "build/$arch/bin/pelmora_benchmark.exe" "${1:-15}"
