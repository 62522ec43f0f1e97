#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. GUI tests get a
# private Xvfb server.
#
# scripts/test.sh --quick: the developer's loop on a machine already set up.
# Builds the Linux tree and runs the tests that need no display, Wine or
# sanitizer (every test but those labelled "display"), in seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-}" in
"") ;;
--quick)
  scripts/check-layers.sh
  # A configured tree configures itself again only when a CMake file changed.
  if [ -f build/build.ninja ]; then cmake --build build; else scripts/build.sh; fi
  exec ctest --test-dir build -LE display --output-on-failure -j2
  ;;
*)
  echo "usage: scripts/test.sh [--quick]" >&2
  exit 2
  ;;
esac

scripts/install-deps.sh
# Each layer includes only what it may use.
scripts/check-layers.sh
scripts/build.sh

export NO_AT_BRIDGE=1 GDK_GL=disable
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir build --output-on-failure -j2

# The players' program, build/KVNConfig, which the tests above ran: it needs
# only libraries every GTK 3 desktop has, and works in a clean Debian 12 root
# with GTK 3 and no wxWidgets (made once, as root, and kept).
tests/linux/check_linux_program_test.sh
scripts/check-linux-program.sh build/KVNConfig
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo --preserve-env=DISPLAY,XAUTHORITY)
xvfb-run -a -s "-screen 0 1280x1024x24" "${sudo[@]}" tests/linux/clean_root.sh build/KVNConfig

# The same core tests against the Windows platform's own functions, under Wine.
scripts/test-windows.sh

# Sanitizer builds, ThreadSanitizer and fuzzing, each in its own build folder.
scripts/test-reliability.sh
