#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Runs a command of the project (by default the README's test command) in a
# root of Debian 12 or 13: made with debootstrap from this machine's own
# mirror and kept as a tarball under /var/tmp for the next run, with /proc,
# /dev, /dev/pts and a /tmp of its own mounted inside, and a clean clone of
# the current commit copied in. Whatever it mounts, it unmounts on every way
# out. After a run that passed, the root with the packages the project's
# install script put in is kept too, under a name made from that script, and
# the next run starts from it; a changed list of packages starts afresh.
# Usage: scripts/in-debian.sh 12|13 [COMMAND...]     (as root)
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" = 0 ] || { echo "$0: making and entering a root needs root" >&2; exit 1; }
case ${1:-} in
12) suite=bookworm ;;
13) suite=trixie ;;
*) echo "usage: $0 12|13 [COMMAND...]" >&2; exit 2 ;;
esac
release=$1
shift
command=("$@")
[ "${#command[@]}" -gt 0 ] || command=(scripts/test.sh)

cache=/var/tmp/vesk-debian$release-minbase.tar
warm=/var/tmp/vesk-debian$release-deps-$(sha256sum scripts/install-deps.sh | cut -c1-16).tar
mirror=$(cat /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null |
    sed -n 's/^URIs: *//p; s/^deb \(\[[^]]*\] \)\?\(http[^ ]*\) .*/\2/p' | head -n 1 || true)
root=$(mktemp -d /var/tmp/vesk-debian$release.XXXXXX)
mounted=()

cleanup() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}"
    done
    # Only once nothing is mounted inside does the root go, and never across
    # into another file system.
    if ! grep -q " $root/" /proc/mounts; then
        rm -rf --one-file-system "$root"
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

mount_inside() { # mount_inside WHERE MOUNT-ARGUMENTS...
    local where=$root/$1
    shift
    mount "$@" "$where"
    mounted+=("$where")
}

if [ -s "$warm" ]; then
    tar -C "$root" -xf "$warm"
elif [ -s "$cache" ]; then
    tar -C "$root" -xf "$cache"
else
    command -v debootstrap >/dev/null ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
    debootstrap --variant=minbase "$suite" "$root" "${mirror:-http://deb.debian.org/debian}" >/dev/null
    tar -C "$root" -cf "$cache.part" . && mv "$cache.part" "$cache"
fi
chmod 755 "$root" # tests run some steps as another user
mount_inside proc -t proc proc
mount_inside dev --bind /dev
mount_inside dev/pts --bind /dev/pts
mount_inside tmp -t tmpfs -o mode=1777 tmpfs
cp /etc/resolv.conf "$root/etc/resolv.conf"
git clone -q --no-hardlinks . "$root/src"
git -C "$root/src" checkout -q "$(git rev-parse HEAD)"

echo "== in Debian $(cat "$root/etc/debian_version"): ${command[*]}"
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin TERM=dumb \
    LANG=C.UTF-8 CI="${CI:-}" WERROR="${WERROR:-}" DISPLAY="${DISPLAY:-}" /bin/bash -c 'cd /src && "$@"' bash "${command[@]}"

# Kept without what this run mounted or copied in; older lists' roots go.
rm -f /var/tmp/vesk-debian"$release"-deps-*.tar
tar -C "$root" --one-file-system --exclude=./src -cf "$warm.part" . && mv "$warm.part" "$warm"
