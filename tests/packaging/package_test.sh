#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Builds the Debian package, installs it on this machine, starts the installed
# program the way the applications menu does, sees its window on a display of
# its own, and removes the package again, leaving nothing behind.
# Usage: package_test.sh BUILD_DIR  (installing needs root)
set -uo pipefail
build=$1
[ "$(id -u)" = 0 ] || { echo "SKIP: installing a package needs root"; exit 77; }
for tool in cpack dpkg apt-get Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if dpkg-query -W -f='${Status}' vesk 2>/dev/null | grep -q 'install ok installed'; then
    echo "SKIP: a vesk package is already installed here"
    exit 77
fi

work=$(mktemp -d)
chmod 700 "$work"
pids=()
. "$(dirname "$0")/../x_display.sh"
cleanup() {
    stop_display
    for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null; done
    dpkg -r vesk >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT
passes=0
failures=0
check() {
    local name=$1
    shift
    if "$@"; then echo "PASS   $name"; passes=$((passes + 1)); else echo "FAIL   $name"; failures=$((failures + 1)); fi
}

(cd "$work" && cpack -G DEB --config "$(realpath "$build")/CPackConfig.cmake" >cpack.log 2>&1) ||
    { cat "$work/cpack.log"; exit 1; }
arch=$(dpkg --print-architecture)
deb=$work/vesk_1.01_$arch.deb
check "the package is vesk_1.01_$arch.deb" [ -f "$deb" ]
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
check "it depends on the Qt libraries it links" grep -q libqt6widgets6 <<<"$depends"
check "it depends on the C library" grep -q libc6 <<<"$depends"
check "it depends on the font" grep -q fonts-liberation2 <<<"$depends"
check "it does not depend on Qt Network" bash -c "! grep -q libqt6network <<<'$depends'"
if command -v lintian >/dev/null; then
    lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1
    grep -E '^[EW]: ' "$work/lintian.log"
    check "lintian reports no error and no warning" bash -c "! grep -qE '^[EW]: ' '$work/lintian.log'"
fi
check "its changelog is for this version" \
    bash -c "dpkg-deb --fsys-tarfile '$deb' | tar -xO ./usr/share/doc/vesk/changelog.gz | gzip -dc | head -n 1 | grep -q '^vesk (1.01) '"
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/vesk ./usr/share/applications/org.veskcalculator.Vesk.desktop \
    ./usr/share/metainfo/org.veskcalculator.Vesk.metainfo.xml \
    ./usr/share/icons/hicolor/32x32/apps/org.veskcalculator.Vesk.png \
    ./usr/share/icons/hicolor/256x256/apps/org.veskcalculator.Vesk.png \
    ./usr/share/man/man1/vesk.1.gz ./usr/share/doc/vesk/copyright; do
    check "it holds $f" grep -qx "$f" <<<"$contents"
done

dpkg -i "$deb" >"$work/install.log" 2>&1 || DEBIAN_FRONTEND=noninteractive apt-get -f install -y >>"$work/install.log" 2>&1
check "it installs" bash -c "dpkg-query -W -f='\${Status}' vesk | grep -q 'install ok installed'"

exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/org.veskcalculator.Vesk.desktop)
start_display
mkdir -m 700 "$work/runtime"
(
    cd /
    export XDG_RUNTIME_DIR=$work/runtime PATH=/usr/bin:/bin
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    exec $exec_line
) &
pids+=($!)
disown $!
found=""
for _ in $(seq 100); do
    found=$(xdotool search --onlyvisible --name '^Vesk$' 2>/dev/null | head -n 1)
    [ -n "$found" ] && break
    sleep 0.05
done
check "the menu entry's command ($exec_line) opens the window" [ -n "$found" ]
kill -KILL "${pids[-1]}" 2>/dev/null

dpkg -r vesk >"$work/remove.log" 2>&1
check "it removes cleanly" bash -c "! dpkg-query -W -f='\${Status}' vesk 2>/dev/null | grep -q 'install ok installed'"
check "nothing of it is left" bash -c "[ ! -e /usr/bin/vesk ] && [ ! -e /usr/share/applications/org.veskcalculator.Vesk.desktop ] && [ ! -e /usr/share/icons/hicolor/32x32/apps/org.veskcalculator.Vesk.png ]"

echo "$passes passed, $failures failed"
[ "$failures" = 0 ]
