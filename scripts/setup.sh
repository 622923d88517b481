#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh machine. Idempotent: a second run
# only checks. Third-party sources and tools land in .deps/ (ignored by git).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
deps="$top/.deps"
mkdir -p "$deps"

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# The installer users get is the 32-bit one: Wine's 32-bit half (Debian's wine32, from the i386
# architecture) runs it on a 64-bit prefix (WoW64) and makes the 32-bit prefix.
packages=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 wine32:i386 xvfb 7zip
          fonts-wqy-microhei locales cmake make googletest xdotool)
missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture"
  sudo_if_needed dpkg --add-architecture i386
fi
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The skin bitmaps are drawn by a Python 3 script; the machine's own Python will do.
command -v python3 >/dev/null 2>&1 || missing+=(python3)
# The machine may carry its own Node.js; Debian's npm only where there is none.
command -v npm >/dev/null 2>&1 || missing+=(nodejs npm)
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_if_needed apt-get update
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi

# The 32-bit loader needs the kernel's 32-bit support (IA32 emulation on x86-64).
if ! out=$(WINEDEBUG=-all /usr/lib/wine/wine --version 2>&1); then
  echo "setup: Wine's 32-bit loader does not run here ($out): this machine cannot run 32-bit" \
       "code, so the 32-bit installer cannot be tested" >&2
  exit 1
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  echo "setup: generating zh_CN.UTF-8"
  sudo_if_needed sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | sudo_if_needed tee -a /etc/locale.gen >/dev/null
  sudo_if_needed locale-gen
fi

# tinyxml2 from Debian's source package, through a private source list so that the machine's
# apt configuration stays as it is. The mirrors are the machine's own binary mirrors.
if [ ! -f "$deps/tinyxml2/tinyxml2.cpp" ]; then
  echo "setup: fetching the tinyxml2 source package"
  apt_dir="$deps/apt"
  rm -rf "$apt_dir" && mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/archives/partial"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" > "$apt_dir/sources.list.d/$(basename "$f")"
  done
  if [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > "$apt_dir/sources.list.d/main.list" || true
  fi
  for f in /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] && { grep -E '^deb ' "$f" | sed 's/^deb /deb-src /' >> "$apt_dir/sources.list.d/main.list" || true; }
  done
  opts=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
        -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache::Archives=$apt_dir/archives"
        -o "Debug::NoLocking=1" -o "APT::Sandbox::User=root")
  apt-get "${opts[@]}" update -qq || true
  src="$deps/src"
  rm -rf "$src" && mkdir -p "$src"
  (cd "$src" && apt-get "${opts[@]}" source --download-only tinyxml2)
  orig=$(ls "$src"/tinyxml2_*.orig.tar.* | head -n 1)
  rm -rf "$deps/tinyxml2" && mkdir -p "$deps/tinyxml2"
  tar -xf "$orig" -C "$deps/tinyxml2" --strip-components=1
fi

# The Windows console 7-Zip that the installer carries as a resource.
if [ ! -f "$deps/npm/node_modules/7zip-bin/win/x64/7za.exe" ]; then
  echo "setup: fetching 7zip-bin"
  mkdir -p "$deps/npm"
  (cd "$deps/npm" && npm install --no-audit --no-fund --silent 7zip-bin@5.2.0)
fi
echo "setup: ready"
