#!/usr/bin/env bash
# Checks formatting and runs clang-tidy over our sources (needs the test build's
# compile_commands.json: run scripts/test.sh first).
set -euo pipefail
cd "$(dirname "$0")/.."

sources=$(git ls-files 'src/*.cpp' 'src/*.h' 'tools/*.cpp' 'tools/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp')
clang-format --dry-run --Werror $sources
tidy_sources=$(git ls-files 'src/*.cpp' 'tools/*.cpp' | grep -v '^src/platform/windows/')
clang-tidy -p build/test --quiet $tidy_sources
