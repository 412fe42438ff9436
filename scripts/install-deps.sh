#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Installs, from Debian 12's own packages, what building, running and testing
# the calculator needs, and only what is missing. Safe to run again.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config
    # the windows
    qt6-base-dev qt6-base-dev-tools libgl-dev fonts-liberation2
    # tests, benchmarks, fuzzing
    libgtest-dev libgmock-dev libbenchmark-dev clang-14 libclang-rt-14-dev clang-format-14
    locales
    # end-to-end tests on real displays (X11 under openbox and mutter, and
    # Wayland), and what a screen reader sees
    xvfb xauth openbox mutter xwayland qt6-wayland xdotool x11-utils wmctrl imagemagick
    python3 libx11-dev at-spi2-core python3-pyatspi dbus dbus-x11
    # packaging and its checks: validators, lintian, the licence rules
    dpkg-dev fakeroot file desktop-file-utils appstream binutils-mingw-w64-x86-64 lintian reuse
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

# One locale with a decimal comma, for the test that the program ignores it.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    "${sudo_cmd[@]}" sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen ||
        echo 'de_DE.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo_cmd[@]}" locale-gen >/dev/null
fi
