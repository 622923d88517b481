#!/usr/bin/env bash
# make-archive.sh SIZE_MB OUT.7z NAME: packs a generated component tree of about SIZE_MB into
# OUT.7z with one top-level folder NAME, as the component archives are laid out. Files are 1 MB,
# half random bytes and half repeated text, so that the archive compresses like program files.
set -euo pipefail
size_mb=$1 out=$2 name=$3
work=$(mktemp -d "$(dirname "$out")/tree.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/$name/plugins"
# One 512 KB block of repeated text, made once.
block="$work/text.block"
line='QWidget::paintEvent MultimediaComm::OpenStream LoadLibraryA GetProcAddress'
while [ "$(stat -c %s "$block" 2>/dev/null || echo 0)" -lt 524288 ]; do
  printf '%s %s %s %s\n' "$line" "$line" "$line" "$line" >> "$block"
  cat "$block" "$block" > "$block.next" && mv "$block.next" "$block"
done
truncate -s 524288 "$block"
for i in $(seq 1 "$size_mb"); do
  folder="$work/$name"
  [ $((i % 4)) -eq 0 ] && folder="$work/$name/plugins"
  {
    head -c 524288 /dev/urandom
    cat "$block"
  } > "$folder/library$i.dll"
done
rm -f "$out" "$block"
(cd "$work" && 7zz a -t7z -bd -y -mx=5 "$out" "$name" >/dev/null)
