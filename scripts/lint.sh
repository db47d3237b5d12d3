#!/usr/bin/env bash
# Checks formatting and runs clang-tidy over our sources (needs the test build's
# compile_commands.json: run scripts/test.sh first).
set -euo pipefail
cd "$(dirname "$0")/.."

sources=$(git ls-files 'src/*.cpp' 'src/*.h' 'tools/*.cpp' 'tools/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp')
clang-format --dry-run --Werror $sources
tidy_sources=$(git ls-files 'src/*.cpp' 'tools/*.cpp' | grep -v '^src/platform/windows/')
clang-tidy -p build/test --quiet $tidy_sources

# The Windows sources against the cross builds (cmake --preset windows, and the end-to-end
# test's against --preset windows-program-cross), with the mingw-w64 standard library.
mingw_cxx="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")/include/c++"
tidy_windows() {
  clang-tidy -p "$1" --quiet --extra-arg=--target=x86_64-w64-mingw32 \
    --extra-arg=-isystem"$mingw_cxx" --extra-arg=-isystem"$mingw_cxx/x86_64-w64-mingw32" \
    "${@:2}"
}
if [ -f build/windows/compile_commands.json ]; then
  tidy_windows build/windows $(git ls-files 'src/platform/windows/*.cpp' 'tests/windows/*.cpp' \
    ':!tests/windows/endtoend/*')
fi
if [ -f build/windows-program-cross/compile_commands.json ]; then
  tidy_windows build/windows-program-cross $(git ls-files 'tests/windows/endtoend/*.cpp')
fi
