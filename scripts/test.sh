#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. GUI tests get a
# private Xvfb server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Each layer includes only what it may use.
scripts/check-layers.sh
scripts/build.sh

export NO_AT_BRIDGE=1 GDK_GL=disable
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir build --output-on-failure -j2

# The same core tests against the Windows platform's own functions, under Wine.
scripts/test-windows.sh

# Sanitizer builds, ThreadSanitizer and fuzzing, each in its own build folder.
scripts/test-reliability.sh
