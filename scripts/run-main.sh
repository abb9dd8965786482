#!/usr/bin/env bash
# The main job: builds the plug-in and the host simulator, then has the simulated host load the
# plug-in and run the arrange command on the demo board, writing the arranged board and a picture.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh native
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DPLAZEN_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)" --target plazen plazen-host trelpa plazen-bench
mkdir -p out
# Arguments replace the default run, e.g.: scripts/run-main.sh board.json --object "Selected Components"
if [ $# -eq 0 ]; then
  set -- --out out/arranged.json --svg out/arranged.svg
fi
build/release/bin/plazen-host arrange "$@"
