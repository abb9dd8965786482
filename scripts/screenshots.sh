#!/usr/bin/env bash
# Shows the message dialog, the old-viewer warning, a translated sample form and the sample form
# embedded as an options page in a host window under Wine on a virtual X display and
# writes what the screen shows as PNG files (not part of the tests).
# Usage: scripts/screenshots.sh [OUT_FOLDER]   (default: out/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-out/screenshots}
scripts/install-deps.sh screenshots
cmake -S . -B build/win-x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win-x86_64 -j"$(nproc)" --target plazen-forms-preview
mkdir -p "$out"
source scripts/wine-display.sh
start_wine_display 800x600

# shot NAME ARGS...: shows the form for a few seconds and takes the screen while it is up.
shot() {
  local name=$1
  shift
  wine build/win-x86_64/bin/plazen-forms-preview.exe "$@" --seconds 8 &
  local pid=$!
  sleep 5
  import -window root "$out/$name.png"
  wait "$pid"
  echo "wrote $out/$name.png"
}
shot message-dialog message
shot acrobat-warning acrobat
shot sample-form sample
shot sample-form-translated sample --translations "$(winepath -w tools/sample-translations.txt)"
shot embedded-form embedded
