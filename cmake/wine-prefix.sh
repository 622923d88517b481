#!/usr/bin/env bash
# wine-prefix.sh DIR: boots a Wine prefix once into DIR (skipped when DIR is already booted)
# with the settings every test and run wants.
# Environment: SETUP_WINEARCH, win64 (default: a 64-bit Windows, whose WoW64 half runs 32-bit
# programs when Wine's 32-bit loader is installed) or win32 (a 32-bit Windows).
set -euo pipefail
dir=$1
arch=${SETUP_WINEARCH:-win64}
case "$arch" in
  win64) wine=/usr/lib/wine/wine64 ;;
  win32) wine=/usr/lib/wine/wine ;;
  *) echo "wine-prefix: unknown SETUP_WINEARCH '$arch'" >&2; exit 2 ;;
esac
if [ ! -x "$wine" ]; then
  echo "wine-prefix: $wine is missing (scripts/setup.sh installs it)" >&2
  exit 1
fi
# A 64-bit prefix booted before Wine's 32-bit half was installed has no WoW64 half: the stamp
# names what the prefix was booted with, and a different one boots it again.
booted="$arch $([ -x /usr/lib/wine/wine ] && echo wow64 || echo no-wow64)"
stamp="$dir/.setup-ready"
[ -f "$stamp" ] && [ "$(cat "$stamp")" = "$booted" ] && exit 0
export WINEPREFIX="$dir" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=$arch
rm -rf "$dir"
mkdir -p "$(dirname "$dir")"
DISPLAY= "$wine" wineboot -i >/dev/null 2>&1 || true
reg=$(mktemp --suffix=.reg)
cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
"Decorated"="Y"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Microsoft YaHei"="WenQuanYi Micro Hei"
"微软雅黑"="WenQuanYi Micro Hei"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
DISPLAY= "$wine" regedit /S "Z:${reg//\//\\}" >/dev/null 2>&1
/usr/lib/wine/wineserver -w
rm -f "$reg"
echo "$booted" > "$stamp"
