#!/usr/bin/env bash
# build-edition.sh EDITION [BRAND_TYPE [TRANSLATOR [VERSION]]]: builds the installer of one
# edition (FULL, AC, VS, SL, SC or DP) from the default configuration with these settings
# replaced; an empty or missing setting keeps the configuration's own. The program lands in
# build/edition-<EDITION>-<BRAND_TYPE>-<TRANSLATOR>[-<VERSION>]/x86_64/setup.exe.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -lt 1 ]; then
  echo "usage: $0 FULL|AC|VS|SL|SC|DP [brand type 0|1] [translator 0|1] [version]" >&2
  exit 2
fi
edition=$1 brand_type=${2:-} translator=${3:-} version=${4:-}
label="edition-$edition-${brand_type:-d}-${translator:-d}${version:+-$version}"
"$top/scripts/setup.sh"
SETUP_BUILD_DIR="$top/build/$label" "$top/scripts/build.sh" x86_64 -DBUILD_TESTING=OFF \
  -DSETUP_EDITION="$edition" -DSETUP_BRAND_TYPE="$brand_type" -DSETUP_TRANSLATOR="$translator" \
  -DSETUP_VERSION="$version"
echo "$top/build/$label/x86_64/setup.exe"
