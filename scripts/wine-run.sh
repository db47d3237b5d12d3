#!/usr/bin/env bash
# Runs a Windows executable under Wine. Usage: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The prefix is made on first use; Wine's own diagnostics are off; without a display the
# program gets a virtual one, since windows need one under Wine.
set -euo pipefail
export WINEPREFIX="$1"
shift
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs when the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a "$wine" "$@"
fi
exec "$wine" "$@"
