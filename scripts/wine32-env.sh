# shellcheck shell=bash
# Sourced by the scripts that run Windows programs in the 32-bit Wine root
# (scripts/wine32.sh). Needs root.
#
#   . scripts/wine32-env.sh
#   wine32_begin              # hold the root, put its wine first on PATH
#   wine32_setup [LOG [FOLDER...]]   # make what is missing, mount (may run
#                             # in the background: wine32_setup LOG &)
#
# At exit the wineserver of WINEPREFIX ends and the root is unmounted, unless
# another run still holds it. WINE32_PREFIX names the root's 32-bit prefix.

wine32_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
WINE32_CACHE=${KVN_WINE32_CACHE:-/var/cache/kvnconfig}
# shellcheck disable=SC2034 # for the scripts that source this
WINE32_PREFIX=$WINE32_CACHE/bookworm-i386/prefix

wine32_end() {
  wineserver -k 2>/dev/null || true
  # Let go of this run's hold on the mounts; the last run unmounts.
  exec 9>&-
  "$wine32_dir/wine32.sh" unmount || true
}

wine32_begin() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "The 32-bit Wine runs in an i386 root of its own, which needs root: run sudo $0" >&2
    exit 1
  fi
  mkdir -p "$WINE32_CACHE"
  # Held (shared) while this run uses the mounts.
  exec 9>>"$WINE32_CACHE/mounts.lock"
  flock -s 9
  trap wine32_end EXIT
  export PATH="$wine32_dir/wine32:$PATH"
}

wine32_setup() {
  local log=${1:-}
  [ $# -eq 0 ] || shift
  if [ -z "$log" ]; then
    "$wine32_dir/wine32.sh" setup "$@"
  elif ! "$wine32_dir/wine32.sh" setup "$@" >"$log" 2>&1; then
    cat "$log" >&2
    return 1
  fi
}
