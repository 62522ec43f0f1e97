#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, but
# only those that are missing. Uses sudo when not run as root.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config clang-format
  libgtest-dev libgmock-dev googletest libbenchmark-dev nlohmann-json3-dev
  libwxgtk3.2-dev libgtk-3-dev libx11-dev
  xvfb xauth xdotool x11-utils imagemagick fonts-dejavu-core
  python3 desktop-file-utils
)
# The static wxWidgets of the players' program (scripts/build-wx.sh): its
# source unpacked and built, against the system's GTK 3, PNG, zlib, PCRE2 and
# XTest (the GUI tests' input).
packages+=(dpkg-dev make libpng-dev zlib1g-dev libpcre2-dev libxtst-dev)
# The check of that program in a clean Debian root (tests/linux/clean_root.sh).
packages+=(debootstrap)
# Sanitizer builds and libFuzzer (scripts/test-reliability.sh, scripts/fuzz.sh).
packages+=(clang libclang-rt-14-dev llvm)
# Extra packages a stage asks for: install-deps.sh [package...]. The Windows
# stage (scripts/test-windows.sh) asks for g++-mingw-w64-i686-posix, debootstrap
# and binutils (its Wine comes from an i386 root of its own).
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
