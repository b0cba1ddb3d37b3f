# Sourced by the scripts and tests that run Windows programs under Wine.

# True where this machine can execute 32-bit code, which Wine needs for a
# 32-bit program. Some machines run 64-bit code only; there the Windows tests
# run on the 64-bit build of the same sources.
machine_runs_32bit() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

# use_wine_prefix PREFIX win32|win64: quiet Wine in that prefix, with no
# Mono, Gecko or debugger (a crash must end the process, not wait for one).
# Sets $wine to the loader that runs programs there.
use_wine_prefix() {
    export WINEPREFIX="$1" WINEARCH="$2"
    export WINEDEBUG="${WINEDEBUG:--all}"
    export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
    # The plain wine command starts with the 32-bit loader, which a
    # 64-bit-only machine cannot run; the 64-bit one starts either kind.
    if [ "$2" = win64 ]; then wine=/usr/lib/wine/wine64; else wine=wine; fi
}

# Creates the prefix on first use and waits until its Wine server has gone,
# so that whatever comes next starts a server of its own. Debian's Wine does
# not look in the folder of its own fonts (fonts-wine): the prefix gets a
# copy of Marlett, in which the caption buttons are drawn, so that the close
# button shows its cross rather than the letter r.
boot_wine_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        "$wine" wineboot -i >/dev/null 2>&1 && wineserver -w || return 1
    fi
    cp -n /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}
