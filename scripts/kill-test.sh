#!/usr/bin/env bash
# Kills the client's session with SIGKILL at random moments while it stores a
# 50 000-row report and while it stores new lists, ten times each, and checks
# that Client.mdb is whole afterwards: the old report or the whole new one,
# the old version and lists or the whole new set, never a mix.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
driver="$root/$build/tools/session-driver"
sim="$root/$build/sim/quorvel-sim"
schema="$root/src/store/schema.sql"
rows=50000
runs=${KILL_TEST_RUNS:-10}
work=$(mktemp -d)
sim_pid=
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Any free port: the simulator says which one it took.
"$sim" --listen 127.0.0.1:0 --report-rows "$rows" > "$work/sim.log" 2>&1 &
sim_pid=$!
for _ in $(seq 100); do grep -q listening "$work/sim.log" && break; sleep 0.1; done
port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\);.*/\1/p' "$work/sim.log")
[ -n "$port" ] || { echo "kill test: the simulator did not start"; cat "$work/sim.log"; exit 1; }

# A working directory holding the old state: 3 report rows, version 010 and one recipient.
prepare() {
  rm -rf "$1"; mkdir -p "$1"
  { echo 'BEGIN;'; cat "$schema"
    echo "UPDATE Version SET version_num='010';"
    echo "INSERT INTO recipients VALUES ('0001','Old recipient');"
    echo "INSERT INTO group_list VALUES ('G001','Old group');"
    for i in 1 2 3; do echo "INSERT INTO report VALUES ('Desk','Old',NULL,'OK','old $i');"; done
    echo 'COMMIT;'; } | sqlite3 "$1/Client.mdb"
}

q() { sqlite3 "$1/Client.mdb" "$2"; }

# How long a whole run takes, so that the kills fall inside it.
timed_run() {
  prepare "$work/timing"
  local start end
  start=$(date +%s%N)
  QT_QPA_PLATFORM=offscreen "$driver" "$work/timing" "$port" "$1" > "$work/timing.log" 2>&1
  end=$(date +%s%N)
  echo $(( (end - start) / 1000000 ))
}

check() { # dir what
  local dir=$1 what=$2 integrity
  integrity=$(q "$dir" 'PRAGMA integrity_check;')
  [ "$integrity" = ok ] || { echo "integrity_check: $integrity"; return 1; }
  if [ "$what" = report ]; then
    local count old
    count=$(q "$dir" 'SELECT count(*) FROM report;')
    old=$(q "$dir" "SELECT count(*) FROM report WHERE recipient='Old';")
    if { [ "$count" = 3 ] && [ "$old" = 3 ]; } || { [ "$count" = "$rows" ] && [ "$old" = 0 ]; }; then
      echo "report rows: $count"; return 0
    fi
    echo "mixed report: $count rows, $old old"; return 1
  else
    local version recipients groups
    version=$(q "$dir" 'SELECT version_num FROM Version;')
    recipients=$(q "$dir" "SELECT count(*) FROM recipients WHERE Recipient='Old recipient';")
    groups=$(q "$dir" "SELECT count(*) FROM group_list WHERE GroupName='Old group';")
    if { [ "$version" = 010 ] && [ "$recipients" = 1 ] && [ "$groups" = 1 ]; } ||
       { [ "$version" != 010 ] && [ "$recipients" = 0 ] && [ "$groups" = 0 ]; }; then
      echo "lists: version $version"; return 0
    fi
    echo "mixed lists: version $version, old recipient $recipients, old group $groups"; return 1
  fi
}

failed=0
for what in report lists; do
  span=$(timed_run "$what")
  check "$work/timing" "$what" > /dev/null || { echo "kill test: an uninterrupted $what run is wrong"; exit 1; }
  echo "kill test: $what, an uninterrupted run takes ${span} ms"
  for run in $(seq "$runs"); do
    dir="$work/$what-$run"
    prepare "$dir"
    delay_ms=$(( RANDOM % (span + 1) ))
    QT_QPA_PLATFORM=offscreen "$driver" "$dir" "$port" "$what" > "$dir.log" 2>&1 &
    pid=$!
    sleep "$(printf '%d.%03d' $((delay_ms / 1000)) $((delay_ms % 1000)))"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if result=$(check "$dir" "$what"); then
      echo "  killed after ${delay_ms} ms: $result"
    else
      echo "  killed after ${delay_ms} ms: FAILED: $result"; failed=1
    fi
  done
done
[ "$failed" = 0 ] && echo "kill test: passed" || { echo "kill test: FAILED"; exit 1; }
