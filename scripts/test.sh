#!/usr/bin/env bash
# Installs what is missing, builds every test with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs them all; then builds the fuzz targets with clang-14
# and fuzzes each with 100000 inputs from a fixed seed; then cross-builds the
# Windows parts with mingw-w64 and runs their tests under Wine on a virtual display, in a
# fresh Wine prefix in the build folder, and the Windows tests once more as a 32-bit build.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh test
cmake --preset test >/dev/null
cmake --build --preset test
ctest --preset test

scripts/fuzz.sh --runs 100000

wine_prefix="$PWD/build/windows/wineprefix"
rm -rf "$wine_prefix"
cmake --preset windows >/dev/null
cmake --build --preset windows
WINEPREFIX="$wine_prefix" xvfb-run -a sh -c \
  'status=0; ctest --preset windows || status=$?; /usr/lib/wine/wineserver -k; exit $status'

# The COM binding and the Windows ports once more as a 32-bit build, under Wine's 32-bit
# side (a CMM software that registered its types only in the 32-bit registry view).
wine_prefix_32="$PWD/build/windows-i686/wineprefix"
rm -rf "$wine_prefix_32"
cmake --preset windows-i686 >/dev/null
cmake --build --preset windows-i686
WINEPREFIX="$wine_prefix_32" xvfb-run -a sh -c \
  'status=0; ctest --preset windows-i686 || status=$?; /usr/lib/wine/wineserver -k; exit $status'
