#!/usr/bin/env bash
# run.sh: sets up the machine, builds setup.exe and runs it under Wine, on the current display or
# on a virtual one. The Wine prefix is build/wine/run-prefix (kept between runs; delete it for a
# clean machine).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh" x86_64
prefix="$top/build/wine/run-prefix"
"$top/cmake/wine-prefix.sh" "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ -z "${DISPLAY:-}" ]; then
  echo "run: no display; running on a virtual one (xvfb-run)"
  exec xvfb-run -a -s "-screen 0 1280x1024x24" /usr/lib/wine/wine64 "$top/build/x86_64/setup.exe"
fi
exec /usr/lib/wine/wine64 "$top/build/x86_64/setup.exe"
