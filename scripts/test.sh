#!/usr/bin/env bash
# test.sh: sets up the machine, builds both widths and runs the test suites of both under Wine.
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
# The 64-bit build runs every test; the 32-bit one, the installer users get, its subset on a
# 64-bit and a 32-bit Windows (README, Tests). Both run, whatever the first gives.
status=0
for arch in x86_64 i686; do
  echo "test: $arch"
  (cd "${SETUP_BUILD_DIR:-$top/build}/$arch" && ctest --output-on-failure -j 2 --timeout 600 "$@") ||
    status=1
done
exit $status
