#!/usr/bin/env bash
# The black-box check (tests/windows/black_box.sh) on the Linux program inside
# a clean Debian 12 root that has GTK 3 and only the libraries that
# scripts/desktop-libraries.txt names, and no wxWidgets: the program opens, OK
# saves, Escape writes nothing. The root is made once with debootstrap and
# kept in a cache folder (KVN_ROOT_CACHE, /var/cache/kvnconfig by default).
# Needs root. Runs on a private X server, whose socket the root shares:
#   xvfb-run -a tests/linux/clean_root.sh build/KVNConfig
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# clean_root.sh --in <root> <program>: black_box.sh's way to start the
# program, in its current directory and with its WINEPREFIX, inside the root.
if [ "${1:-}" = --in ]; then
  root=$2
  exec chroot "$root" /usr/bin/env -C "${PWD#"$root"}" WINEPREFIX="${WINEPREFIX#"$root"}" \
    XAUTHORITY=/tmp/kvn-xauthority HOME=/root NO_AT_BRIDGE=1 GDK_GL=disable "${3#"$root"}"
fi

program=$(realpath "${1:?usage: clean_root.sh <program>}")
list=$here/../../scripts/desktop-libraries.txt
# GTK 3, and the packages of the libraries on the list (most come with GTK).
mapfile -t packages < <({ echo libgtk-3-0; sed -e 's/#.*//' "$list" | awk 'NF {print $2}'; } | sort -u)
cache=${KVN_ROOT_CACHE:-/var/cache/kvnconfig}
root=$cache/bookworm-amd64-gtk3-$(printf '%s\n' "${packages[@]}" | sha256sum | cut -c1-12)

mounted() { grep -qF " $1" /proc/mounts; }

mkdir -p "$cache"
# One run at a time: it makes the root and mounts in it.
exec 9>"$cache/clean-root.lock"
flock 9
# The root is made in $root.tmp and kept once whole. Never deletes through a
# mount: a half-made root with one is left alone.
make_root() {
  debootstrap --variant=minbase bookworm "$root.tmp" "$("$here/../../scripts/debian-mirror.sh")"
  DEBIAN_FRONTEND=noninteractive chroot "$root.tmp" apt-get install -y -q \
    --no-install-recommends "${packages[@]}"
  chroot "$root.tmp" apt-get clean
}
if [ ! -d "$root" ]; then
  if mounted "$root.tmp/"; then
    echo "clean_root.sh: something is mounted in $root.tmp; unmount it first" >&2
    exit 1
  fi
  echo "Making a clean Debian 12 root in $root..." >&2
  rm -rf "$root.tmp"
  make_root >"$root.log" 2>&1 || { tail -20 "$root.log" >&2; exit 1; }
  mv "$root.tmp" "$root"
fi

if compgen -G "$root/usr/lib/*/libwx_*" >/dev/null; then
  echo "clean_root.sh: $root has wxWidgets" >&2
  exit 1
fi

# The program, its runs' files and the X server's socket and key inside the
# root; everything mounted is unmounted before anything is removed.
run=$(mktemp -d -p "$root/tmp" kvn-run.XXXXXX)
mounts=()
cleanup() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    umount "${mounts[i]}" || { echo "clean_root.sh: could not unmount ${mounts[i]}" >&2; return 1; }
  done
  rm -rf "$run"
}
trap cleanup EXIT
# mount_in <mount point> <mount arguments...>, after what a killed run left.
mount_in() {
  local point=$1
  shift
  while mounted "$point "; do umount "$point"; done
  mount "$@" "$point"
  mounts+=("$point")
}
mkdir -p "$root/tmp/.X11-unix"
mount_in "$root/tmp/.X11-unix" --bind -o ro /tmp/.X11-unix
mount_in "$root/proc" -t proc proc
cp "${XAUTHORITY:-/dev/null}" "$root/tmp/kvn-xauthority"
install -m 755 "$program" "$run/KVNConfig"

echo "In a clean Debian 12 root with only ${packages[*]}:"
TMPDIR=$run WINEPREFIX=$run/prefix KVN_BLACK_BOX_RUN="$here/clean_root.sh --in $root" \
  "$here/../windows/black_box.sh" "$run/KVNConfig"
