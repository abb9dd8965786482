# Sourced by the scripts that run Windows programs under Wine: a throw-away Wine prefix on a
# virtual X display of its own (Xvfb), both removed when the calling script exits.
# start_wine_display [WIDTHxHEIGHT]
start_wine_display() {
  local size=${1:-1280x1024}
  WINEPREFIX=$(mktemp -d /tmp/plazen-wine.XXXXXX)
  export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  # The first free display number from 90 on.
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  PLAZEN_XVFB_PID=$!
  export DISPLAY=":$n"
  trap 'wineserver -k >/dev/null 2>&1 || true; kill "$PLAZEN_XVFB_PID" 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  # One persistent server for the prefix, started with its own output (see scripts/wine-test.sh).
  wineserver -p >/dev/null 2>&1 </dev/null
  wineboot -i >/dev/null 2>&1 </dev/null || true
  # Without a window manager Wine draws the windows' frames itself and does not wait for one.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
}
