#!/usr/bin/env bash
# Renders every window of the program to PNG files for review, on the offscreen platform,
# and both programs during a capture (the pictures of the README's walkthrough).
# Usage: scripts/render-windows.sh [output folder]   (default: build/render)
set -euo pipefail
output="$(realpath -m "${1:-$(dirname "$0")/../build/render}")"
cd "$(dirname "$0")/.."

scripts/deps.sh test
cmake --preset test >/dev/null
cmake --build --preset test --target kvotlk_window_scripts kvotlk_tools_tests
mkdir -p "$output"
# The render scripts of tests/render run like window scripts; "bild" writes beside them.
(cd "$output" && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
  KVOTLK_FENSTER_SKRIPTE="$OLDPWD/tests/render" "$OLDPWD/build/test/tests/app/kvotlk_window_scripts")
KVOTLK_BILDER="$output" ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen \
  build/test/tests/tools/kvotlk_tools_tests --gtest_filter='*bilder'
ls "$output"/walkthrough-*.png
