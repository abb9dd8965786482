#!/usr/bin/env bash
# Checks the include stack first, then builds the four configurations and runs every test: the
# native tests under AddressSanitizer and UndefinedBehaviorSanitizer, the export check of the
# 32-bit DLL, the Windows tests under Wine in a throw-away prefix, the 32-bit Linux tests under
# qemu-i386-static, and a short run of each fuzz target. CTest's summary line closes the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/check-includes.sh
scripts/install-deps.sh all
jobs=$(nproc)

echo "== native build (sanitizers)"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug -DPLAZEN_SANITIZE=ON \
  -DPLAZEN_WINDOWS_BIN_DIR="$PWD/build/win-x86_64/bin" -DPLAZEN_I386_BIN_DIR="$PWD/build/linux-i386/bin" >/dev/null
cmake --build build/native -j"$jobs"

echo "== i686-w64-mingw32 build (production DLL)"
cmake -S . -B build/win-i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
  -DPLAZEN_TESTS=OFF >/dev/null
cmake --build build/win-i686 -j"$jobs"

echo "== x86_64-w64-mingw32 build (tests under Wine)"
cmake -S . -B build/win-x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win-x86_64 -j"$jobs"

echo "== i386 Linux build (tests under qemu-i386-static)"
cmake -S . -B build/linux-i386 -DCMAKE_TOOLCHAIN_FILE=cmake/linux-i386.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/linux-i386 -j"$jobs"

echo "== export check of the 32-bit DLL"
exports=$(i686-w64-mingw32-objdump -p build/win-i686/bin/plazen.dll |
  sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -nE 's/^\s*\[\s*[0-9]+\] (.*)$/\1/p')
if [ "$exports" != "ServerFactory" ]; then
  echo "plazen.dll must export exactly ServerFactory; it exports: ${exports:-nothing}" >&2
  exit 1
fi
echo "plazen.dll exports: $exports"

echo "== Windows tests under Wine (real windows on a virtual X display)"
source scripts/wine-display.sh
start_wine_display
ctest --test-dir build/win-x86_64 --output-on-failure

echo "== 32-bit Linux tests under qemu-i386-static"
ctest --test-dir build/linux-i386 --output-on-failure

echo "== fuzz targets (clang, sanitizers), about 20 s each"
scripts/fuzz.sh 20

echo "== native tests (and the parity of native, Windows and 32-bit outputs)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build/native --output-on-failure -j"$jobs"
