#!/usr/bin/env bash
# Builds the project and its fuzz targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer,
# libFuzzer) and runs each target for SECONDS (default 300). The checked-in seeds stay as they are:
# new inputs go to a work corpus under build/fuzz/. A failing input is kept as
# build/fuzz/crashes/<target>-...; make it a regression case of the ordinary tests.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
cmake -S . -B build/fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPLAZEN_SANITIZE=ON -DPLAZEN_FUZZ=ON -DPLAZEN_TESTS=OFF >/dev/null
# The whole project, not only the targets: so the test command also proves that clang builds it.
cmake --build build/fuzz -j"$(nproc)"
mkdir -p build/fuzz/crashes
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=()
for exe in build/fuzz/bin/fuzz_*; do
  target=${exe#build/fuzz/bin/fuzz_}
  work=build/fuzz/corpus/$target
  mkdir -p "$work"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="build/fuzz/crashes/$target-")
  case $target in board_file|form_description) options+=(-dict=tests/fuzz/json.dict) ;; esac
  echo "== fuzz $target for $seconds s"
  if ! "$exe" "${options[@]}" "$work" "tests/fuzz/corpus/$target" \
       > "build/fuzz/$target.log" 2>&1; then
    failed+=("$target")
    tail -40 "build/fuzz/$target.log"
  fi
  grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "build/fuzz/$target.log" | tail -1 || true
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs in build/fuzz/crashes/)" >&2
  exit 1
fi
echo "fuzzing: no fault found"
