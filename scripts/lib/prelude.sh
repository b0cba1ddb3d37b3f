# Sourced first by the scripts that build and run the program: works from the
# checkout's root ($root), brings the display and Wine helpers, installs what
# the build needs, and sets $arch to the build this machine can run: win32,
# the product, or win64 where the machine runs 64-bit code only.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"
. scripts/lib/virtual-display.sh
. scripts/lib/wine.sh
scripts/lib/install-deps.sh >&2 || { echo "${0##*/}: could not install the build's packages" >&2; exit 1; }
if machine_runs_32bit; then arch=win32; else arch=win64; fi
