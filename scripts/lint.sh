#!/usr/bin/env bash
# Checks formatting and runs clang-tidy over our sources (needs the test build's
# compile_commands.json: run scripts/test.sh first).
set -euo pipefail
cd "$(dirname "$0")/.."

sources=$(git ls-files 'src/*.cpp' 'src/*.h' 'tools/*.cpp' 'tools/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp')
clang-format --dry-run --Werror $sources
tidy_sources=$(git ls-files 'src/*.cpp' 'tools/*.cpp' | grep -v '^src/platform/windows/')
clang-tidy -p build/test --quiet $tidy_sources

# The Windows sources against the cross build (cmake --preset windows), with the
# mingw-w64 standard library.
if [ -f build/windows/compile_commands.json ]; then
  mingw_cxx="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")/include/c++"
  clang-tidy -p build/windows --quiet --extra-arg=--target=x86_64-w64-mingw32 \
    --extra-arg=-isystem"$mingw_cxx" --extra-arg=-isystem"$mingw_cxx/x86_64-w64-mingw32" \
    $(git ls-files 'src/platform/windows/*.cpp' 'tests/windows/*.cpp')
fi
