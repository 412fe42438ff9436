#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Installs, from Debian's own packages (Debian 12 or 13), what the calculator
# needs, and only what is missing. Safe to run again.
#   scripts/install-deps.sh run    building and running the program
#   scripts/install-deps.sh test   that, and everything the tests, benchmarks,
#                                  fuzzing and packaging checks need, the
#                                  Windows build and Wine included (default)
#   scripts/install-deps.sh windows  what building the Windows program, its
#                                  installer and zip needs, and Wine to try it
#   scripts/install-deps.sh web    what building the web page needs, and the
#                                  browsers and their drivers to test it
set -euo pipefail
cd "$(dirname "$0")/.."
want=${1:-test}

run_packages=(cmake ninja-build g++ pkg-config zlib1g-dev gettext qt6-base-dev libgl-dev libxcb1-dev
    fonts-liberation2)
test_packages=(
    git pkg-config locales
    # tests, benchmarks, fuzzing (clang of the release's own version)
    libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-dev valgrind
    # end-to-end tests on real displays (X11 under openbox and mutter, and
    # Wayland), and what a screen reader sees
    xvfb xauth openbox mutter xwayland qt6-wayland xdotool x11-utils wmctrl imagemagick
    python3 libx11-dev at-spi2-core python3-pyatspi dbus dbus-x11
    # a compiler cache, kept between runs of the whole check (.ci/run)
    ccache
    # packaging and its checks: validators, lintian, the licence rules
    dpkg-dev fakeroot file desktop-file-utils appstream binutils-mingw-w64-x86-64 lintian reuse
    # the windows in Chinese and Japanese, in the tests that they fit
    fonts-noto-cjk
)
# The Windows program: cross-built with mingw-w64 (posix threads), GoogleTest
# from its sources, the installer by NSIS, and run under Wine (64-bit) with
# its bitmap fonts; the build's own tools (the icon maker) with this
# machine's compiler.
windows_packages=(cmake ninja-build g++ zlib1g-dev gettext g++-mingw-w64-x86-64-posix googletest nsis
    zip unzip fonts-noto-cjk locales
    wine wine64 fonts-wine xvfb xauth openbox x11-utils xdotool wmctrl imagemagick)
# The web page: Debian's Emscripten (and this machine's compiler for the
# build's own tools), and the three browser engines its tests drive, in a
# network namespace of their own: headless Chromium through WebDriver,
# Firefox ESR through its own WebDriver BiDi (a WebSocket), and WebKitGTK's
# MiniBrowser through WebKitWebDriver on a private X display.
web_packages=(cmake ninja-build g++ zlib1g-dev gettext emscripten googletest terser fonts-noto-cjk fonts-liberation2
    chromium chromium-driver python3-selenium iproute2 util-linux zip
    firefox-esr python3-websocket webkit2gtk-driver xvfb xauth
    # WebKitGTK takes its languages from the locale: the tests run it in each
    locales)
# Installed where the release has them: the formatter the code is checked with
# (one version, so that two releases cannot disagree).
optional_packages=(clang-format-14)

case $want in
run) packages=("${run_packages[@]}") ;;
test) packages=("${run_packages[@]}" "${test_packages[@]}" "${windows_packages[@]}" "${web_packages[@]}") ;;
windows) packages=("${windows_packages[@]}") ;;
web) packages=("${web_packages[@]}") ;;
*) echo "usage: $0 [run|test|windows|web]" >&2; exit 2 ;;
esac

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
available() { [ -n "$(apt-cache policy "$1" 2>/dev/null | sed -n 's/^ *Candidate: *//p' | grep -v '(none)')" ]; }

missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
done
optional=()
if [ "$want" = test ]; then
    for p in "${optional_packages[@]}"; do
        installed "$p" || optional+=("$p")
    done
fi

if [ "${#missing[@]}" -gt 0 ] || [ "${#optional[@]}" -gt 0 ]; then
    "${sudo_cmd[@]}" apt-get update -qq
    for p in "${optional[@]}"; do
        available "$p" && missing+=("$p")
    done
fi
if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

# The locales the tests run each shipped language in (one of them with a
# decimal comma, for the test that the program ignores it).
if [ "$want" != run ]; then
    wanted_locales=$(sed -n 's/^[a-zA-Z_]* \([^ ]*\)$/\1/p' tests/locales.txt)
    missing_locales=()
    for l in $wanted_locales; do
        locale -a 2>/dev/null | grep -qix "$(sed 's/UTF-8/utf8/' <<<"$l")" || missing_locales+=("$l")
    done
    if [ "${#missing_locales[@]}" -gt 0 ]; then
        for l in "${missing_locales[@]}"; do
            "${sudo_cmd[@]}" sed -i "s/^# *\($l UTF-8\)/\1/" /etc/locale.gen
            grep -q "^$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
        done
        "${sudo_cmd[@]}" locale-gen >/dev/null
    fi
fi
