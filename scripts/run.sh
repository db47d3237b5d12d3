#!/usr/bin/env bash
# Installs what is missing, builds the converter and the simulator, starts kalvero-sim
# with an example measuring program and then the converter. The simulator belongs to
# this start: when the converter closes (or fails, or the script is interrupted) the
# simulator is ended too.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh run
cmake --preset default >/dev/null
cmake --build --preset default

program=build/default/program
# Its window shows what it sends; a simulator that already runs keeps the endpoint, this
# one says so and ends, and the converter works with the one running.
"$program/kalvero-sim" examples/01-Masse.kmp >/dev/null &
simulator=$!
trap 'kill "$simulator" 2>/dev/null || true; wait "$simulator" 2>/dev/null || true' EXIT
"$program/kvotlk"
