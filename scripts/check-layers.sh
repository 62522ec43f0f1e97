#!/usr/bin/env bash
# Fails when a source file includes a header from a layer it must not use.
# The layers, lowest first:
#   platform/            the Windows functions, text, and the dialog framework;
#                        uses nothing of the program's folders
#     framework/         the framework's core: no toolkit
#     framework/wx/      the wxWidgets backend: the only program code that
#                        includes wx or GTK headers
#     framework/win32/   the Windows API backend (Windows names come through
#                        platform/wintypes.h, as everywhere)
#   resources/           templates and images, in the framework's formats
#   settings/            the settings and caption files (may name resource ids)
#   launcher/            the driver tool's start; nothing of the dialog or of
#                        the dialog framework
#   dialog/              the dialogs and the application object
# Tests and benchmarks may include any layer; those that drive real widgets
# (tests/gui, bench) may include wx, GTK and the backend's headers too.
set -euo pipefail
cd "$(dirname "$0")/.."

failures=0
# Reports each include in the files matched by `files` (git pathspecs) whose
# target matches the extended regex `pattern`.
forbid() {
  local why=$1 pattern=$2
  shift 2
  local hits
  hits=$(git ls-files --cached --others --exclude-standard -- "$@" | grep -E '\.(c|cc|cpp|h|hpp)$' |
    xargs -r grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($pattern)" || true)
  if [ -n "$hits" ]; then
    echo "$why:" >&2
    echo "$hits" >&2
    failures=$((failures + 1))
  fi
}

toolkit='wx/|gtk/|gdk/|glib|gio/|gobject/|atk/|pango/|cairo|X11/'
program='dialog/|settings/|launcher/|resources/'

forbid "platform/ includes the program's folders" "$program" 'platform/'
forbid "the framework's core includes a backend" 'platform/framework/(wx|win32)/' \
  'platform/framework/' ':!platform/framework/wx/' ':!platform/framework/win32/'
forbid "one backend includes the other" 'platform/framework/win32/' 'platform/framework/wx/'
forbid "one backend includes the other" 'platform/framework/wx/' 'platform/framework/win32/'
forbid "toolkit headers outside the backend" "$toolkit|platform/framework/wx/" \
  ':!platform/framework/wx/' ':!tests/gui/' ':!bench/'
forbid "resources/ includes the program's code" 'dialog/|settings/|launcher/' 'resources/'
forbid "settings/ includes the dialog or the launcher" 'dialog/|launcher/' 'settings/'
forbid "launcher/ includes the dialog" 'dialog/' 'launcher/'
forbid "launcher/ includes the dialog framework" 'platform/framework/' 'launcher/'

if [ "$failures" -ne 0 ]; then
  echo "check-layers: $failures rule(s) broken" >&2
  exit 1
fi
echo "check-layers: the includes keep to their layers"
