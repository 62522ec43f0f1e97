#!/usr/bin/env bash
# A 32-bit Wine for running KVNConfig.exe as players get it: Debian 12's wine
# and wine32 in an i386 Debian 12 root under /var/cache/kvnconfig, with a
# WINEARCH=win32 prefix in it. Made once per machine and reused.
#
#   scripts/wine32.sh setup [FOLDER...]
#                               make what is missing, mount (FOLDERs too), print
#                               what runs
#   scripts/wine32.sh run TOOL  run TOOL (wine, wineserver, wineboot) in the
#                               root, in the current directory
#   scripts/wine32.sh unmount   undo the mounts (after ending its wineservers)
#   scripts/wine32.sh remove    unmount, then delete the root
#
# The wrappers in scripts/wine32/ (wine, wineserver, wineboot) enter the root;
# put that folder first on PATH. While mounted, the root sees the host's /proc,
# /dev, /tmp (X sockets, xvfb-run's authority files, temporary folders) and
# the work tree at the same paths, and its own prefix at the same path as the
# host does (WINE32_PREFIX), so paths need no translation either way.
#
# Where the kernel runs no i386 program (tried with a tiny one), the qemu-i386
# of Debian 13's qemu-user package runs them: it is unpacked under the cache
# folder and registered with binfmt_misc as kvnconfig-i386, flag F, so that it
# also works inside the root. KVN_WINE32_QEMU=1 registers it even where the
# kernel would run them, to try that path. Remove it with
#   echo -1 > /proc/sys/fs/binfmt_misc/kvnconfig-i386
set -euo pipefail

cache=${KVN_WINE32_CACHE:-/var/cache/kvnconfig}
root_dir=$cache/bookworm-i386
prefix=$root_dir/prefix
worktree=$(cd "$(dirname "$0")/.." && pwd)
binfmt_name=kvnconfig-i386
binfmt=/proc/sys/fs/binfmt_misc
qemu=$cache/qemu/usr/bin/qemu-i386
ready=$root_dir/.kvnconfig-ready
# Packages of the root: Wine, and what the host's Wine finds beside it (the
# dialog font's fallback, the X extensions Wine loads when present).
root_packages=(wine wine32 fonts-dejavu-core libxrender1 libxrandr2 libxinerama1 libxcursor1
  libxi6 libxcomposite1 libxfixes3 libxxf86vm1)

say() { echo "wine32: $*" >&2; }
die() {
  say "$*"
  exit 1
}

need_root() {
  [ "$(id -u)" -eq 0 ] ||
    die "making and entering the 32-bit Wine root needs root: run this as root (sudo $0 $*)"
}

# The Debian mirror the host's apt uses for bookworm.
mirror() {
  apt-get indextargets --format '$(SITE) $(RELEASE)' 2>/dev/null |
    awk '$2 == "bookworm" { print $1; exit }' | grep . || echo http://deb.debian.org/debian
}

# The mounts under the root, deepest first.
mounts_under_root() {
  awk -v r="$root_dir" '$5 == r || index($5, r "/") == 1 { print $5 }' /proc/self/mountinfo |
    sort -r
}

unmount_all() {
  local m
  [ -d "$root_dir" ] || return 0
  # A wineserver of the root's prefix keeps files under the mounts open.
  if [ -x "$root_dir/usr/bin/wineserver" ] && mountpoint -q "$root_dir/proc"; then
    WINEPREFIX=$prefix chroot "$root_dir" /usr/bin/wineserver -k 2>/dev/null || true
  fi
  for m in $(mounts_under_root); do
    umount "$m" 2>/dev/null || umount -l "$m"
  done
}

# bind <host path>: the same path inside the root. Private, so that nothing
# mounted or unmounted there reaches the host.
bind() {
  local target=$root_dir$1
  mountpoint -q "$target" 2>/dev/null && return 0
  mkdir -p "$target"
  mount --bind "$1" "$target"
  mount --make-private "$target"
}

mount_all() {
  mountpoint -q "$root_dir/proc" || mount -t proc proc "$root_dir/proc"
  bind /dev
  mountpoint -q /dev/shm && bind /dev/shm
  mountpoint -q /dev/pts && bind /dev/pts
  bind /tmp
  bind "$worktree"
  local extra
  for extra in "$@"; do bind "$(realpath "$extra")"; done
}

# Can this machine run an i386 program? A static one that only exits 0.
i386_runs() {
  local dir
  dir=$(mktemp -d)
  printf '.globl _start\n_start:\n movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' >"$dir/probe.s"
  as --32 -o "$dir/probe.o" "$dir/probe.s" && ld -m elf_i386 -o "$dir/probe" "$dir/probe.o" ||
    die "cannot build the i386 probe (needs binutils)"
  local status=0
  "$dir/probe" 2>/dev/null || status=$?
  rm -rf "$dir"
  return "$status"
}

# Debian 13's qemu-user holds static binaries: unpack it under the cache,
# through an apt configuration of our own (never the host's sources).
fetch_qemu() {
  [ -x "$qemu" ] && return 0
  local apt=$cache/apt-trixie
  mkdir -p "$apt/lists/partial" "$apt/archives/partial" "$apt/etc"
  echo "deb $(mirror) trixie main" >"$apt/etc/sources.list"
  local opts=(-o Dir::Etc::SourceList="$apt/etc/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o Dir::State::Lists="$apt/lists" -o Dir::Cache::Archives="$apt/archives"
    -o Dir::Cache="$apt" -o APT::Sandbox::User=root)
  say "fetching qemu-user from trixie"
  apt-get "${opts[@]}" update -qq
  (cd "$apt/archives" && apt-get "${opts[@]}" download qemu-user >/dev/null)
  rm -rf "$cache/qemu.new"
  dpkg-deb -x "$(ls "$apt"/archives/qemu-user_*.deb | tail -1)" "$cache/qemu.new"
  rm -rf "$cache/qemu"
  mv "$cache/qemu.new" "$cache/qemu"
  rm -rf "$apt"
  [ -x "$qemu" ] || die "qemu-user holds no usr/bin/qemu-i386"
}

register_qemu() {
  if [ ! -e "$binfmt/register" ]; then
    mount -t binfmt_misc binfmt_misc "$binfmt" || die "cannot mount binfmt_misc on $binfmt"
  fi
  if [ ! -e "$binfmt/$binfmt_name" ]; then
    # i386 ELF executables and shared objects (ET_EXEC, ET_DYN).
    printf '%s' ":$binfmt_name:M::"'\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'":"'\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'":$qemu:F" \
      >"$binfmt/register"
    say "registered $qemu for i386 programs as binfmt_misc $binfmt_name (remove: echo -1 > $binfmt/$binfmt_name)"
  fi
}

# How i386 programs run here; sets up qemu where needed. Prints one line.
ensure_i386() {
  if [ -e "$binfmt/$binfmt_name" ] && [ "$(head -1 "$binfmt/$binfmt_name")" = enabled ]; then
    local registered
    registered=$(sed -n 's/^interpreter //p' "$binfmt/$binfmt_name")
    say "i386 programs: through qemu ($("$registered" --version | head -1)), binfmt_misc $binfmt_name registered earlier"
    return 0
  fi
  if [ "${KVN_WINE32_QEMU:-}" != 1 ] && i386_runs; then
    say "i386 programs: run natively by this kernel, no qemu needed"
    return 0
  fi
  [ "${KVN_WINE32_QEMU:-}" = 1 ] || say "this kernel runs no i386 program: using qemu-user"
  fetch_qemu
  register_qemu
  i386_runs || die "an i386 program does not run even through $qemu"
  say "i386 programs: through qemu ($("$qemu" --version | head -1))"
}

make_root() {
  [ -f "$ready" ] && return 0
  command -v debootstrap >/dev/null || die "debootstrap is missing (scripts/install-deps.sh debootstrap)"
  local start=$SECONDS
  # A half-made root from an interrupted run goes, its mounts first.
  if [ -d "$root_dir" ]; then
    unmount_all
    [ -z "$(mounts_under_root)" ] || die "$root_dir still has mounts; not deleting it"
    rm -rf --one-file-system "$root_dir"
  fi
  mkdir -p "$cache"
  say "making the i386 Debian 12 root $root_dir (once per machine)"
  debootstrap --arch=i386 --variant=minbase bookworm "$root_dir" "$(mirror)" \
    >"$cache/debootstrap.log" 2>&1 || {
    tail -20 "$cache/debootstrap.log" >&2
    die "debootstrap failed; its log: $cache/debootstrap.log"
  }
  # The root's own path leads to itself inside it, so that its prefix has one
  # path for the host and for Wine.
  mkdir -p "$root_dir$(dirname "$root_dir")"
  ln -sfn / "$root_dir$root_dir"
  mount -t proc proc "$root_dir/proc"
  chroot "$root_dir" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive \
    sh -c "apt-get update -qq && apt-get install -y -qq --no-install-recommends ${root_packages[*]} && apt-get clean" \
    >"$cache/root-packages.log" 2>&1 || {
    umount "$root_dir/proc"
    tail -20 "$cache/root-packages.log" >&2
    die "installing Wine in the root failed; its log: $cache/root-packages.log"
  }
  umount "$root_dir/proc"
  touch "$ready"
  say "root made in $((SECONDS - start))s"
}

make_prefix() {
  [ -f "$prefix/system.reg" ] && return 0
  local start=$SECONDS
  say "making the WINEARCH=win32 prefix $prefix (once per machine)"
  (
    unset DISPLAY WAYLAND_DISPLAY
    export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    cd /tmp
    in_root wineboot -i && in_root wineserver -w
  ) >"$cache/wineboot.log" 2>&1 || {
    cat "$cache/wineboot.log" >&2
    rm -rf "$prefix"
    die "could not make the prefix $prefix"
  }
  grep -q '^#arch=win32' "$prefix/system.reg" || die "$prefix is not a 32-bit prefix"
  say "prefix made in $((SECONDS - start))s"
}

# The wrappers' way in; see scripts/wine32/wine.
in_root() {
  local tool=$1
  shift
  "$worktree/scripts/wine32/$tool" "$@"
}

command=${1:-}
[ $# -eq 0 ] || shift
case $command in
setup)
  # Folders named here are seen at the same path inside, like the work tree.
  need_root setup
  mkdir -p "$cache"
  # One setup at a time; none while a run unmounts.
  exec 7>>"$cache/setup.lock" 8>>"$cache/mounts.lock"
  flock 7
  flock -s 8
  ensure_i386
  make_root
  mount_all "$@"
  make_prefix
  say "$(in_root wine --version) (i386 Debian $(cat "$root_dir/etc/debian_version")), WINEARCH=win32 prefix $prefix"
  ;;
run)
  need_root run
  case ${1:-} in
  wine | wineserver | wineboot) in_root "$@" ;;
  *) die "run: not one of wine, wineserver, wineboot: ${1:-}" ;;
  esac
  ;;
unmount)
  need_root unmount
  # Only when no other run holds the mounts (each holds mounts.lock shared).
  exec 8>>"$cache/mounts.lock"
  if flock -n -x 8; then
    unmount_all
  else
    say "the root is still in use by another run: left mounted"
  fi
  ;;
remove)
  need_root remove
  exec 8>>"$cache/mounts.lock"
  flock -n -x 8 || die "the root is in use by another run"
  unmount_all
  [ -z "$(mounts_under_root)" ] || die "$root_dir still has mounts; not deleting it"
  rm -rf --one-file-system "$root_dir"
  say "removed $root_dir"
  ;;
*)
  echo "usage: $0 setup [FOLDER...] | run wine|wineserver|wineboot ARG... | unmount | remove" >&2
  exit 2
  ;;
esac
