#!/usr/bin/env bash
# Starts the simulated paging server on 127.0.0.1:1024, prepares a working
# directory in which the client is registered with it as DEMO01, and runs the
# client there. The simulator stops when the client exits.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
workdir="$root/run"
mkdir -p "$workdir"
for f in Language.ini DefLang.dat; do
  [ -f "$root/data/$f" ] && [ ! -f "$workdir/$f" ] && cp "$root/data/$f" "$workdir/"
done

# A database with the client's tables (src/store/schema.sql), registered with
# the simulator, unless an earlier run left one.
if [ ! -f "$workdir/Client.mdb" ]; then
  {
    echo 'BEGIN;'
    cat "$root/src/store/schema.sql"
    echo "INSERT INTO ClientID VALUES ('DEMO01', '127.0.0.1', 1024);"
    echo 'COMMIT;'
  } | sqlite3 "$workdir/Client.mdb"
fi

"$root/$build/sim/quorvel-sim" --listen 127.0.0.1:1024 > "$workdir/quorvel-sim.log" 2>&1 &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true' EXIT
echo "Simulated server started (log: $workdir/quorvel-sim.log)."

cd "$workdir"
client="$root/$build/src/quorvel-client"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the client under a virtual X server (xvfb-run)."
  xvfb-run -a "$client"
else
  "$client"
fi
