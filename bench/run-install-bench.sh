#!/usr/bin/env bash
# run-install-bench.sh [MB]: builds the installer with every archive padded by MB of generated
# libraries (default 24: some hundreds of MB in all) in build/bench-x86_64, then runs the install
# benchmark under Wine. The padded payload stays in that build folder, never in the repository.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
mb=${1:-24}
"$top/scripts/setup.sh"
build="${SETUP_BUILD_DIR:-$top/build}/bench-x86_64"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DSETUP_PAYLOAD_FILLER_MB="$mb" \
      -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-x86_64.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target bench_install
