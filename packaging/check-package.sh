#!/usr/bin/env bash
# Builds the Debian package and checks it: lintian (no error, every warning mended or
# explained in lintian-overrides), the desktop and AppStream files, the file list of the
# package unpacked into a scratch root, and the unpacked program opening its window.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
ensure_packages lintian desktop-file-utils appstream dpkg-dev xvfb xauth xdotool

deb=$(packaging/build-package.sh | tail -n 1)
passed=0
failed=0
check() { # check NAME COMMAND...
  if "${@:2}"; then passed=$((passed + 1)); else echo "FAILED: $1"; failed=$((failed + 1)); fi
}

lint() {
  local out
  out=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v 'running with root privileges' || true)
  [ -z "$out" ] || { echo "$out"; return 1; }
}
check "lintian" lint
check "desktop file" desktop-file-validate packaging/io.github.quillmere.Quillmere.desktop
check "metainfo" appstreamcli validate --no-net --explain packaging/io.github.quillmere.Quillmere.metainfo.xml

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
file_list() {
  local expected actual
  expected=$(sort <<'LIST'
./etc/quillmere/Quillmere.ini
./opt/quillmere/Quillmere.ini -> /etc/quillmere/Quillmere.ini
./opt/quillmere/quillmere
./opt/quillmere/quillmere-print.so
./usr/bin/quillmere -> /opt/quillmere/quillmere
./usr/bin/quillmere-calc
./usr/share/applications/io.github.quillmere.Quillmere.desktop
./usr/share/bash-completion/completions/quillmere-calc
./usr/share/doc/quillmere/changelog.gz
./usr/share/doc/quillmere/copyright
./usr/share/icons/hicolor/128x128/apps/quillmere.png
./usr/share/icons/hicolor/16x16/apps/quillmere.png
./usr/share/icons/hicolor/32x32/apps/quillmere.png
./usr/share/icons/hicolor/48x48/apps/quillmere.png
./usr/share/icons/hicolor/scalable/apps/quillmere.svg
./usr/share/lintian/overrides/quillmere
./usr/share/man/man1/quillmere-calc.1.gz
./usr/share/man/man1/quillmere.1.gz
./usr/share/metainfo/io.github.quillmere.Quillmere.metainfo.xml
./usr/share/quillmere/web/early.js
./usr/share/quillmere/web/icon-192.png
./usr/share/quillmere/web/icon-512.png
./usr/share/quillmere/web/icon.svg
./usr/share/quillmere/web/index.html
./usr/share/quillmere/web/manifest.webmanifest
./usr/share/quillmere/web/quillmere_core.js
./usr/share/quillmere/web/quillmere_core.wasm
./usr/share/quillmere/web/quillmere_record.js
./usr/share/quillmere/web/quillmere_record.wasm
./usr/share/quillmere/web/sw.js
LIST
)
  actual=$(cd "$root" && find . \( -type f -printf '%p\n' \) -o \( -type l -printf '%p -> %l\n' \) | sort)
  [ "$expected" = "$actual" ] || { diff <(echo "$expected") <(echo "$actual"); return 1; }
  [ "$(dpkg-deb -f "$deb" Version)" = "$(sed -n 's/^project(Quillmere VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)" ]
  dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles | grep -qx /etc/quillmere/Quillmere.ini
}
check "file list, version and conffile" file_list

window() {
  xvfb-run -a -s "-screen 0 1280x800x24 -noreset" bash -c '
    env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$2" "$1/opt/quillmere/quillmere" & pid=$!
    for _ in $(seq 100); do
      xdotool search --name "超音波流量計 - 取付け寸法計算ツール|Ultrasonic Flowmeter" >/dev/null 2>&1 && found=1 && break
      sleep 0.1
    done
    kill $pid; wait $pid 2>/dev/null
    [ -n "${found:-}" ]' _ "$root" "$root"
}
check "installed program opens its window" window

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
