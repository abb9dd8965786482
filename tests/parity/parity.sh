#!/usr/bin/env bash
# Runs the same arrangements with the native plazen-host, with the Windows one under Wine and, when
# given, with the 32-bit Linux one under qemu-i386-static, and requires byte-identical board files
# and pictures.
# Usage: parity.sh NATIVE_BIN_DIR WINDOWS_BIN_DIR DATA_DIR [I386_BIN_DIR]
set -euo pipefail
native=$(cd "$1" && pwd) windows=$(cd "$2" && pwd) data=$(cd "$3" && pwd)
i386=""
[ -z "${4:-}" ] || i386=$(cd "$4" && pwd)
work=$(mktemp -d /tmp/plazen-parity.XXXXXX)
own_prefix=""
if [ -z "${WINEPREFIX:-}" ]; then
  own_prefix=$(mktemp -d /tmp/plazen-parity-wine.XXXXXX)
  export WINEPREFIX=$own_prefix
  wineboot -i >/dev/null 2>&1 || true
fi
export WINEDEBUG=-all
trap 'rm -rf "$work"; [ -z "$own_prefix" ] || rm -rf "$own_prefix"' EXIT
cp "$data"/*.json "$work"/

failures=0
run_case() {
  local name=$1; shift
  (cd "$work" && "$native/plazen-host" arrange "$@" --out "$name.native.json" --svg "$name.native.svg" 2>/dev/null) ||
    { echo "FAIL $name: the native run failed"; failures=$((failures + 1)); return; }
  (cd "$work" && wine "$windows/plazen-host.exe" arrange "$@" --out "$name.windows.json" --svg "$name.windows.svg" \
     2>/dev/null </dev/null) ||
    { echo "FAIL $name: the Windows run failed"; failures=$((failures + 1)); return; }
  local others=(windows)
  if [ -n "$i386" ]; then
    (cd "$work" && qemu-i386-static "$i386/plazen-host" arrange "$@" --out "$name.i386.json" --svg "$name.i386.svg" \
       2>/dev/null) ||
      { echo "FAIL $name: the 32-bit run failed"; failures=$((failures + 1)); return; }
    others+=(i386)
  fi
  local before=$failures
  for other in "${others[@]}"; do
    for ext in json svg; do
      if ! cmp -s "$work/$name.native.$ext" "$work/$name.$other.$ext"; then
        echo "FAIL $name: the native and $other .$ext files differ"
        diff "$work/$name.native.$ext" "$work/$name.$other.$ext" | head -5
        failures=$((failures + 1))
      fi
    done
  done
  [ "$failures" -ne "$before" ] || echo "ok   $name (native, ${others[*]})"
}

run_case demo
run_case demo-selected --object "Selected Components"
run_case demo-pick --pick 1500.5,-20.25
run_case demo-cancel --cancel
run_case small-mm small-mm.json
run_case small-iu small-iu.json --pick 123456789,-987654321
run_case demo-options --params "Order=Natural|Cell=Largest|Columns=Square|Groups=Rows|Width=3in|Gap=20mil"
run_case small-mm-options small-mm.json --params "order=natural|Gap=0.5mm|Columns=2|Groups=Rows"

[ "$failures" -eq 0 ] || { echo "$failures parity failure(s)"; exit 1; }
echo "parity: every output identical"
