#!/usr/bin/env bash
# Builds the static wxWidgets that the Linux program links in, from Debian's
# own source package (the version of the libwxgtk3.2-dev installed here), and
# prints its wx-config. The build is kept in a cache folder outside the work
# tree (KVN_WX_CACHE, /var/cache/kvnconfig by default), one per source version
# and set of configure flags, and reused when it is there. The source comes
# through a private apt configuration in that folder: the host's apt
# configuration is only read, for its mirror. 11 to 20 minutes on two busy
# cores; the build deps come from install-deps.sh.
#
# scripts/build-wx.sh --cached: prints the cached build's wx-config, or fails
# at once when there is none.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# The version of Debian's wxWidgets packages here, which the mirror has.
version=$(dpkg-query -W -f='${Version}' libwxgtk3.2-dev 2>/dev/null || echo 3.2.2+dfsg-2)
cache=${KVN_WX_CACHE:-/var/cache/kvnconfig}
# A developer who cannot write there keeps it in the own cache folder.
if ! mkdir -p "$cache" 2>/dev/null || [ ! -w "$cache" ]; then
  cache=${XDG_CACHE_HOME:-$HOME/.cache}/kvnconfig
fi

# Static GTK 3 with the system's PNG, zlib and PCRE2, and only what the dialog
# uses: the base and core libraries, no image formats beyond PNG, no XML, no
# network, no optional library that a player's desktop might lack. Without
# session-manager detection wxWidgets needs no libSM, which GTK does not bring.
flags=(
  --disable-shared --with-gtk=3 --disable-detect_sm
  --with-libpng=sys --with-zlib=sys --with-regex=sys --without-expat
  --without-libjpeg --without-libtiff --without-liblzma --without-libmspack
  --without-opengl --without-sdl --without-libnotify --without-gnomevfs
  --without-libcurl --without-gtkprint
  --disable-html --disable-xrc --disable-aui --disable-stc --disable-webview
  --disable-mediactrl --disable-propgrid --disable-ribbon --disable-richtext
  --disable-sockets --disable-protocols --disable-url --disable-fs_inet
  --disable-webrequest --disable-sound --disable-secretstore --disable-debugreport
  --disable-spellcheck
  # Optimised, without debugging information: it would only be stripped.
  CFLAGS=-O2 CXXFLAGS=-O2
)
hash=$(printf '%s\n' "$version" "${flags[@]}" | sha256sum | cut -c1-12)
prefix="$cache/wx-$version-$hash"
take_cached() {
  if [ -x "$prefix/bin/wx-config" ]; then
    echo "$prefix/bin/wx-config"
    exit 0
  fi
}
take_cached
[ "${1:-}" != --cached ] || exit 1
# One build at a time; a build that ran while this one waited is taken.
exec 9>"$cache/wx-$hash.lock"
flock 9
take_cached
echo "Building wxWidgets $version into $prefix (11 to 20 minutes)..." >&2

work="$cache/wx-work-$hash"
rm -rf "$work"
mkdir -p "$work"/apt/{lists/partial,archives/partial,cache}
cd "$work"

# The mirror the host's apt already uses, as a deb-src line of our own for
# the Debian release that has this version.
mirror=$("$here/debian-mirror.sh")
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror bookworm main" \
  >apt/sources.list
apt=(apt-get -q -o Dir::Etc::SourceList="$work/apt/sources.list"
  -o Dir::Etc::SourceParts=/dev/null -o Dir::Etc::Preferences=/dev/null
  -o Dir::Etc::PreferencesParts=/dev/null -o Dir::State::Lists="$work/apt/lists"
  -o Dir::Cache="$work/apt/cache" -o Dir::Cache::Archives="$work/apt/archives"
  -o APT::Sandbox::User=root)
"${apt[@]}" update >&2
"${apt[@]}" source --download-only "wxwidgets3.2=$version" >&2
dpkg-source --no-check -x wxwidgets3.2_*.dsc src >&2

mkdir build
cd build
../src/configure --prefix="$prefix" "${flags[@]}" >configure.log 2>&1 ||
  { tail -30 configure.log >&2; exit 1; }
make -j2 >make.log 2>&1 || { tail -30 make.log >&2; exit 1; }
# Installed aside, then moved in whole: a prefix with a wx-config is complete.
make install DESTDIR="$work/dest" >install.log 2>&1 || { tail -30 install.log >&2; exit 1; }
mv "$work/dest$prefix" "$prefix"
cd "$cache"
rm -rf "$work"
echo "$prefix/bin/wx-config"
