#!/usr/bin/env bash
# Installs the Debian 12 packages the client needs to build, test and run.
# Does nothing when every package is already there, so `make` can call it each time.
set -euo pipefail

packages=(
  build-essential cmake make pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
  libsqlite3-dev sqlite3
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth
  dpkg-dev desktop-file-utils appstream groff-base
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
