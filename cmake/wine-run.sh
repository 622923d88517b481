#!/usr/bin/env bash
# The emulator ctest runs every Windows program through: a fresh copy of the booted template
# prefix per run, headless under Xvfb when there is no display, Wine's noise off.
# Environment: SETUP_WINE_TEMPLATE (the booted prefix), SETUP_WINEARCH (win64, the default, or
# win32: the kind of Windows the template stands for), SETUP_KEEP_PREFIX=1 keeps the copy,
# SETUP_SMALL_DRIVE_KB=n gives the prefix a drive S: of n KB (a tmpfs, where the runner may mount
# one; without it there is no S: and the full-disk test says so and skips).
set -uo pipefail
template=${SETUP_WINE_TEMPLATE:?SETUP_WINE_TEMPLATE is not set}
here=$(cd "$(dirname "$0")" && pwd)
"$here/wine-prefix.sh" "$template"
runs="$(dirname "$template")/runs"
mkdir -p "$runs"
prefix=$(mktemp -d "$runs/$(basename "$1" .exe).XXXXXX")
cp -a "$template/." "$prefix/"
small=""
if [ -n "${SETUP_SMALL_DRIVE_KB:-}" ]; then
  small="$prefix/small-drive"
  mkdir -p "$small"
  if mount -t tmpfs -o "size=${SETUP_SMALL_DRIVE_KB}k" tmpfs "$small" 2>/dev/null; then
    ln -sfn "$small" "$prefix/dosdevices/s:"
  else
    small=""
  fi
fi
# A removable drive R:, a place the installer refuses: a folder, and its type in this copy's
# registry, which Wine reads as it starts.
mkdir -p "$prefix/removable-drive"
ln -sfn "$prefix/removable-drive" "$prefix/dosdevices/r:"
printf '\n[Software\\\\Wine\\\\Drives] 1796940922\n"r:"="floppy"\n' >> "$prefix/system.reg"
export WINEPREFIX="$prefix" WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# A 32-bit program starts through Wine's 32-bit loader, on a 64-bit prefix too (WoW64).
pe_machine() { # the Machine field of the PE header: 014c for i386
  local at
  at=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 0
  [ -n "$at" ] && od -An -tx2 -j$((at + 4)) -N2 "$1" 2>/dev/null | tr -d ' '
}
wine=/usr/lib/wine/wine64
if [ "${SETUP_WINEARCH:-win64}" = win32 ] || [ "$(pe_machine "$1")" = 014c ]; then
  wine=/usr/lib/wine/wine
fi
wine=${SETUP_WINE:-$wine}
wineserver=${SETUP_WINESERVER:-/usr/lib/wine/wineserver}
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "$wine" "$@"
else
  "$wine" "$@"
fi
rc=$?
"$wineserver" -k 2>/dev/null
"$wineserver" -w 2>/dev/null
[ -z "$small" ] || umount "$small"
[ "${SETUP_KEEP_PREFIX:-0}" = 1 ] || rm -rf "$prefix"
exit $rc
