#!/usr/bin/env bash
# test.sh: sets up the machine, builds both widths and runs the whole test suite under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh" i686
"$top/scripts/build.sh" x86_64

# One virtual display for the whole run when there is none.
xvfb_pid=""
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
    export DISPLAY=":$n"
    break
  done
fi
cd "${SETUP_BUILD_DIR:-$top/build}/x86_64"
ctest --output-on-failure -j 2 --timeout 600 "$@"
