#!/usr/bin/env bash
# run.sh [--64]: sets up the machine, builds setup.exe and runs it under Wine, on the current
# display or on a virtual one. By default the 32-bit setup.exe, the one users get, on a 64-bit
# Windows (WoW64); --64 runs the 64-bit build instead. The Wine prefix is build/wine/run-prefix
# (kept between runs; delete it for a clean machine).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
arch=i686 wine=/usr/lib/wine/wine
case "${1:-}" in
  "") ;;
  --64) arch=x86_64 wine=/usr/lib/wine/wine64 ;;
  *) echo "usage: $0 [--64]" >&2; exit 2 ;;
esac
"$top/scripts/setup.sh"
SETUP_BUILD_TARGET=setup "$top/scripts/build.sh" "$arch"
prefix="$top/build/wine/run-prefix"
SETUP_WINEARCH=win64 "$top/cmake/wine-prefix.sh" "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ -z "${DISPLAY:-}" ]; then
  echo "run: no display; running on a virtual one (xvfb-run)"
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$wine" "$top/build/$arch/setup.exe"
fi
exec "$wine" "$top/build/$arch/setup.exe"
