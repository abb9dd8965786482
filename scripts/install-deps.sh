#!/usr/bin/env bash
# Installs what the builds need on a Debian machine: only the packages that are missing.
# Usage: scripts/install-deps.sh [native|all|screenshots]   (native: the Linux build only;
# screenshots: all, and what scripts/screenshots.sh needs)
set -euo pipefail
want=(cmake g++ make libgtest-dev libgmock-dev nlohmann-json3-dev libcli11-dev)
if [ "${1:-all}" != native ]; then
  # Wine runs the Windows tests on a virtual X display.
  want+=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix googletest wine wine64 g++-multilib qemu-user-static
         clang libclang-rt-14-dev xvfb)
fi
if [ "${1:-all}" = screenshots ]; then
  want+=(imagemagick)
fi
missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
