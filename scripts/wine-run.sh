#!/usr/bin/env bash
# Runs a Windows executable under Wine. Usage: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The prefix is made on first use; Wine's own diagnostics are off; without a display the
# program gets a virtual one, since windows need one under Wine.
set -euo pipefail
# A run that cannot start here (scripts/test.sh gives the reason when the machine runs no
# 32-bit programs) ends with 77, which ctest counts as a skip.
if [ -n "${KVOTLK_WINE_SKIP:-}" ]; then
  echo "Übersprungen: $KVOTLK_WINE_SKIP"
  exit 77
fi
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
