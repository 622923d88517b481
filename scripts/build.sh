#!/usr/bin/env bash
# build.sh [x86_64|i686] [extra cmake arguments...]: configures and builds into build/<arch>.
# SETUP_BUILD_TARGET builds one target instead of everything (run.sh: setup alone).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-x86_64}
shift || true
build="${SETUP_BUILD_DIR:-$top/build}/$arch"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-$arch.cmake" "$@" >/dev/null
cmake --build "$build" -j "$(nproc)" ${SETUP_BUILD_TARGET:+--target "$SETUP_BUILD_TARGET"}
