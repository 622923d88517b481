#!/usr/bin/env bash
# make-archive.sh SIZE_MB OUT.7z NAME: packs a generated component tree of about SIZE_MB into
# OUT.7z with one top-level folder NAME, as the component archives are laid out.
set -euo pipefail
size_mb=$1 out=$2 name=$3
work=$(mktemp -d "$(dirname "$out")/tree.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$(dirname "$0")/make-tree.sh" "$work/$name" "$size_mb"
rm -f "$out"
(cd "$work" && 7zz a -t7z -bd -y -mx=5 "$out" "$name" >/dev/null)
