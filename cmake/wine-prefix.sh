#!/usr/bin/env bash
# wine-prefix.sh DIR: boots a Wine prefix once into DIR (skipped when DIR is already booted)
# with the settings every test and run wants.
set -euo pipefail
dir=$1
stamp="$dir/.setup-ready"
[ -f "$stamp" ] && exit 0
wine=${SETUP_WINE:-/usr/lib/wine/wine64}
export WINEPREFIX="$dir" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
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
"${SETUP_WINESERVER:-/usr/lib/wine/wineserver}" -w
rm -f "$reg"
touch "$stamp"
