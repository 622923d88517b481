#!/usr/bin/env bash
# make-tree.sh FOLDER SIZE_MB: writes about SIZE_MB of generated library files into FOLDER (a
# quarter of them in FOLDER/plugins). Files are 1 MB, half random bytes and half repeated text,
# so that they compress like program files.
set -euo pipefail
folder=$1 size_mb=$2
mkdir -p "$folder/plugins"
block=$(mktemp)
trap 'rm -f "$block" "$block.next"' EXIT
line='QWidget::paintEvent MultimediaComm::OpenStream LoadLibraryA GetProcAddress'
while [ "$(stat -c %s "$block")" -lt 524288 ]; do
  printf '%s %s %s %s\n' "$line" "$line" "$line" "$line" >> "$block"
  cat "$block" "$block" > "$block.next" && mv "$block.next" "$block"
done
truncate -s 524288 "$block"
for i in $(seq 1 "$size_mb"); do
  target="$folder"
  [ $((i % 4)) -eq 0 ] && target="$folder/plugins"
  { head -c 524288 /dev/urandom; cat "$block"; } > "$target/library$i.dll"
done
