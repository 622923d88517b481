#!/usr/bin/env bash
# build-edition.sh EDITION [BRAND_TYPE [TRANSLATOR [VERSION]]]: builds the installer of one
# edition (FULL, AC, VS, SL, SC or DP) from the default configuration with these settings
# replaced; an empty or missing setting keeps the configuration's own. Both widths are built:
# build/edition-<EDITION>-<BRAND_TYPE>-<TRANSLATOR>[-<VERSION>]/i686/setup.exe is the one to
# ship, .../x86_64/setup.exe its 64-bit twin.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -lt 1 ]; then
  echo "usage: $0 FULL|AC|VS|SL|SC|DP [brand type 0|1] [translator 0|1] [version]" >&2
  exit 2
fi
edition=$1 brand_type=${2:-} translator=${3:-} version=${4:-}
label="edition-$edition-${brand_type:-d}-${translator:-d}${version:+-$version}"
"$top/scripts/setup.sh"
for arch in i686 x86_64; do
  SETUP_BUILD_DIR="$top/build/$label" "$top/scripts/build.sh" "$arch" -DBUILD_TESTING=OFF \
    -DSETUP_EDITION="$edition" -DSETUP_BRAND_TYPE="$brand_type" -DSETUP_TRANSLATOR="$translator" \
    -DSETUP_VERSION="$version"
done
echo "$top/build/$label/i686/setup.exe"
echo "$top/build/$label/x86_64/setup.exe"
