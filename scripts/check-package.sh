#!/usr/bin/env bash
# Builds the Debian package (`make package`) and checks what a workstation
# gets from it: the package's fields and files, the desktop entry, the
# AppStream metainfo and the manual pages, then the unpacked client itself,
# started offscreen on fresh data directories.
#
# With --install it also installs the package with apt-get, starts the
# installed client and removes the package again, checking that nothing is
# left (as root or through sudo). It refuses to run when quorvel-client is
# installed already, so it never removes a package it did not install.
set -euo pipefail
cd "$(dirname "$0")/.."

install_too=false
case "${1:-}" in
  --install) install_too=true ;;
  "") ;;
  *) echo "usage: $0 [--install]" >&2; exit 2 ;;
esac

step() { echo "check-package: $*"; }
fail() { echo "check-package: FAILED: $*" >&2; exit 1; }

if $install_too && dpkg-query -W -f='${Status}' quorvel-client 2>/dev/null | grep -q 'ok installed'; then
  fail "quorvel-client is installed already; remove it or run without --install"
fi

build=${PACKAGE_BUILD:-build-package}
version=$(sed -n 's/^project(QuorvelClient VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
deb="$build/quorvel-client_${version}_${arch}.deb"

step "building $deb"
make --no-print-directory package PACKAGE_BUILD="$build"
[ -f "$deb" ] || fail "make package did not build $deb"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

step "package fields"
[ "$(dpkg-deb -f "$deb" Package)" = quorvel-client ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6network6 libqt6sql6-sqlite libsqlite3-0; do
  [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

dpkg-deb -x "$deb" "$work/root"
usr="$work/root/usr"
share="$usr/share"
for file in bin/quorvel-client bin/quorvel-sim \
  share/quorvel-client/Language.ini share/quorvel-client/DefLang.dat share/quorvel-client/schema.sql \
  share/applications/example.quorvel.client.desktop share/metainfo/example.quorvel.client.metainfo.xml \
  share/icons/hicolor/scalable/apps/quorvel-client.svg share/icons/hicolor/48x48/apps/quorvel-client.png \
  share/man/man1/quorvel-client.1.gz share/man/man1/quorvel-sim.1.gz share/doc/quorvel-client/copyright; do
  [ -f "$usr/$file" ] || fail "the package lacks /usr/$file"
done
outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./usr/' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

step "desktop entry, metainfo, manual pages"
desktop-file-validate "$share/applications/example.quorvel.client.desktop"
grep -qx 'Exec=quorvel-client --user-data' "$share/applications/example.quorvel.client.desktop" \
  || fail "the menu entry does not start the client with --user-data"
appstreamcli validate --no-net "$share/metainfo/example.quorvel.client.metainfo.xml"
for page in quorvel-client quorvel-sim; do
  warnings=$(zcat "$share/man/man1/$page.1.gz" | groff -man -ww -z 2>&1)
  [ -z "$warnings" ] || fail "man page $page: $warnings"
done

export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8
# The programs' own output only; Qt's notes about the environment stay out.
export QT_LOGGING_RULES='qt.qpa.*=false'
# Nothing of the runs lands in the real home: --user-data goes to $work/xdg.
export XDG_RUNTIME_DIR="$work/runtime" XDG_DATA_HOME="$work/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
client="$usr/bin/quorvel-client"

step "--version and --help"
[ "$("$client" --version)" = "quorvel-client $version" ] || fail "--version: $("$client" --version)"
# No display is needed to ask.
env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$client" --version >/dev/null \
  || fail "--version needs a display"
help=$("$client" --help)
for option in --data-dir --user-data --version; do
  [[ "$help" == *"$option"* ]] || fail "--help does not show $option"
done
"$usr/bin/quorvel-sim" --help | grep -q -- --listen || fail "quorvel-sim --help"

# Starts the client with the given options, waits until its data directory
# $1 holds Client.mdb, checks that it is still running, and ends it.
run_client() {
  local dir=$1; shift
  "$client" "$@" >"$work/client.log" 2>&1 &
  local pid=$!
  for _ in $(seq 100); do
    [ -s "$dir/Client.mdb" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
  done
  sleep 1
  if ! kill -0 "$pid" 2>/dev/null; then
    cat "$work/client.log" >&2
    fail "the client $* ended by itself"
  fi
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

# The data directory $1 has a fresh database and the installed language files.
check_data_dir() {
  local dir=$1 installed=$2
  [ "$(sqlite3 "$dir/Client.mdb" 'SELECT count(*) FROM ClientID;')" = 0 ] \
    || fail "$dir/Client.mdb is not a fresh client database"
  for file in Language.ini DefLang.dat; do
    cmp -s "$installed/$file" "$dir/$file" || fail "$file was not copied into $dir"
  done
}

step "the unpacked client on a fresh --data-dir"
data="$work/operators/desk 1"
run_client "$data" --data-dir "$data"
check_data_dir "$data" "$share/quorvel-client"

step "the unpacked client with --user-data"
run_client "$work/xdg/quorvel-client" --user-data
check_data_dir "$work/xdg/quorvel-client" "$share/quorvel-client"

step "an unusable data directory is refused"
if timeout 20 "$client" --data-dir "$data/Client.mdb/sub" 2>"$work/refused.log"; then
  fail "the client accepted a data directory below a file"
fi
grep -q "$data/Client.mdb/sub" "$work/refused.log" || fail "the refusal does not name the path"

if $install_too; then
  step "apt-get install ./$deb"
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  trap '"${sudo[@]}" apt-get remove -y -qq quorvel-client >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
  "${sudo[@]}" apt-get install -y -qq "$PWD/$deb" >/dev/null
  client=/usr/bin/quorvel-client
  [ "$("$client" --version)" = "quorvel-client $version" ] || fail "installed --version"
  run_client "$work/installed" --data-dir "$work/installed"
  check_data_dir "$work/installed" /usr/share/quorvel-client

  step "apt-get remove quorvel-client"
  "${sudo[@]}" apt-get remove -y -qq quorvel-client >/dev/null
  left=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print substr($6, 2)}' | while read -r f; do
    [ -e "$f" ] && echo "$f"; done || true)
  [ -z "$left" ] || fail "left behind after removal: $left"
  dpkg-query -W -f='${Status}' quorvel-client 2>/dev/null | grep -q 'ok installed' \
    && fail "quorvel-client is still installed"
fi

step "all checks passed"
