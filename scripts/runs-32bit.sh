#!/usr/bin/env bash
# Tells whether this machine runs 32-bit programs, by starting one: Wine's 32-bit loader
# with --version. Some kernels run no 32-bit programs at all (booted without ia32
# emulation); names, versions and installed files cannot tell, only a try can.
# Exit 0: 32-bit programs run. Exit 1: they do not; the reason is printed as one line.
# KVOTLK_32BIT=ja|nein forces the answer, so that the other path of the test command can
# be run on either kind of machine.
set -euo pipefail

loader=/usr/lib/wine/wine
case "${KVOTLK_32BIT:-}" in
  ja) exit 0 ;;
  nein)
    echo "KVOTLK_32BIT=nein: dieser Lauf behandelt die Maschine so, als liefe kein 32-Bit-Programm."
    exit 1 ;;
  "") ;;
  *) echo "KVOTLK_32BIT muss ja oder nein sein, nicht \"$KVOTLK_32BIT\"." >&2; exit 2 ;;
esac

if answer=$("$loader" --version 2>&1); then
  exit 0
fi
echo "Wines 32-Bit-Lader startet hier nicht ($loader --version: ${answer//$'\n'/ })."
exit 1
