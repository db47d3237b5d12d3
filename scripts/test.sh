#!/usr/bin/env bash
# Installs what is missing, builds every test with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs them all; then builds the fuzz targets with clang-14
# and fuzzes each with 100000 inputs from a fixed seed; then cross-builds the
# Windows parts with mingw-w64 and runs their tests under Wine on a virtual display, in a
# fresh Wine prefix in the build folder, and the Windows tests once more as a 32-bit build
# (skipped where the kernel runs no 32-bit programs: scripts/runs-32bit.sh);
# last builds the Windows program on Qt for mingw-w64 (built once by scripts/qt-mingw.sh
# into a cache outside the clone), packs its ZIP and its MSI, runs the ZIP end to end under
# Wine with an English and a German user locale, and installs, uses, upgrades and removes
# the MSI under Wine. Exits non-zero on any failure.
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
# side (a CMM software that registered its types only in the 32-bit registry view). On a
# machine whose kernel runs no 32-bit programs the build still compiles and links, and its
# tests are reported as skipped.
probe=0
reason=$(scripts/runs-32bit.sh) || probe=$?
case $probe in
  0) skip_32= ;;
  1) skip_32="$reason Diese Tests laufen nur auf einer Maschine, deren Kernel 32-Bit-Programme ausführt." ;;
  *) exit "$probe" ;;
esac
wine_prefix_32="$PWD/build/windows-i686/wineprefix"
rm -rf "$wine_prefix_32"
cmake --preset windows-i686 >/dev/null
cmake --build --preset windows-i686
[ -z "$skip_32" ] || echo "32-Bit-Tests übersprungen: $skip_32"
KVOTLK_WINE_SKIP="$skip_32" WINEPREFIX="$wine_prefix_32" xvfb-run -a sh -c \
  'status=0; ctest --preset windows-i686 || status=$?; /usr/lib/wine/wineserver -k 2>/dev/null; exit $status'

# A changed Qt folder (a new cache key) needs a fresh configuration.
KVOTLK_QT_MINGW=$(scripts/qt-mingw.sh)
export KVOTLK_QT_MINGW
program_build=build/windows-program-cross
fresh=()
grep -qF "$KVOTLK_QT_MINGW/" "$program_build/CMakeCache.txt" 2>/dev/null || fresh=(--fresh)
cmake --preset windows-program-cross "${fresh[@]}" >/dev/null
cmake --build --preset windows-program-cross
rm -f "$program_build"/KVOTLK-*.zip* "$program_build"/KVOTLK-*.msi* "$program_build"/KVOTLK-*.json*
cpack --preset windows-program-cross
xvfb-run -a ctest --preset windows-program-cross
