#!/usr/bin/env bash
# Prepares a working directory for the client and starts it there.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
workdir="$root/run"
mkdir -p "$workdir"
for f in Language.ini DefLang.dat; do
  [ -f "$root/data/$f" ] && [ ! -f "$workdir/$f" ] && cp "$root/data/$f" "$workdir/"
done

cd "$workdir"
client="$root/$build/src/quorvel-client"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the client under a virtual X server (xvfb-run)."
  exec xvfb-run -a "$client"
fi
exec "$client"
