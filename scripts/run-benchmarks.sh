#!/bin/bash
# Builds the program and its benchmark and prints the figures of
# docs/performance.md as Markdown: sizes, start-up against a bare dialog,
# working set, enumeration and keypad round trip, measured under Wine in a
# prefix of the benchmark's own. Usage: run-benchmarks.sh [PAIRS]
set -euo pipefail
. "$(dirname "$0")/prelude.sh"
# Where the machine runs 64-bit code only, the timings are of the 64-bit
# build of the same sources; the sizes are always the shipped 32-bit ones.
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

# The same starts again under a Wine server that traces every request: the
# count of a program's requests until its list answers measures its work and
# barely moves between runs, where the times above move by several percent.
echo
echo "### Wine server requests until the list holds every modem (warm start)"
echo
echo "| modems | PelmoraConfig | bare dialog | ratio |"
echo "|---|---|---|---|"
trace="build/$arch/start-requests.trace"
for modems in 0 3 10; do
    wineserver -k 2>/dev/null || true
    wineserver -w
    wineserver -p -d1 2>"$trace"
    "$wine" "build/$arch/bin/pelmora_benchmark.exe" --starts $modems
    wineserver -k
    wineserver -w
    # Program, bare dialog, program, bare dialog: the second pair is warm.
    awk -f scripts/count-start-requests.awk "$trace" | sed -n 3,4p | tr '\n' ' ' \
        | awk -v modems=$modems '{ printf "| %d | %d | %d | %.3f |\n", modems, $1, $2, $1 / $2 }'
done
rm -f "$trace"
