# Environment for running the Windows builds under Wine; sourced by the
# scripts.  The prefix lives inside the build folder; wine64's own loader
# is called directly, because the plain `wine` wrapper would pick the
# 32-bit loader, which cannot execute on these machines.
NKCFG_ROOT=${NKCFG_ROOT:-$(cd "$(dirname "${BASH_SOURCE:-$0}")/.." 2>/dev/null && pwd)}
NKCFG_BUILD=${NKCFG_BUILD:-$NKCFG_ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$NKCFG_BUILD/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LANG=${NKCFG_LANG:-ja_JP.UTF-8}
export LC_ALL=$LANG
WINE=/usr/lib/wine/wine64
NKCFG_WINESERVER=/usr/lib/wine/wineserver64
export WINE NKCFG_WINESERVER
