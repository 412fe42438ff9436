#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Runs a command of the project (by default the README's test command) in a
# root of Debian 12 or 13: made with debootstrap from this machine's own
# mirror and kept as a folder under /var/tmp for the next run, with /proc,
# /dev, /dev/pts and a /tmp of its own mounted inside, and a clean clone of
# the current commit copied in (and the compiler cache CCACHE_DIR names, if
# any, at its place). A run never changes a kept root: it sees it
# through an overlay, whose writable layer goes with the run. Whatever it
# mounts, it unmounts on every way out. After a run that passed, the root
# with the packages the project's install script put in is kept too, under a
# name made from that script, and the next run starts from it; a changed
# list of packages starts afresh. A run that changed nothing in it but /src
# and /tmp leaves it as it was.
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

minbase=/var/tmp/vesk-debian$release-minbase
kept=/var/tmp/vesk-debian$release-deps-$(sha256sum scripts/install-deps.sh | cut -c1-16)
mirror=$(cat /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null |
    sed -n 's/^URIs: *//p; s/^deb \(\[[^]]*\] \)\?\(http[^ ]*\) .*/\2/p' | head -n 1 || true)
# This run's own: the overlay's writable layer, its work folder, the root,
# and a root being made, until it is complete and moved to where it is kept.
run=$(mktemp -d /var/tmp/vesk-debian$release.XXXXXX)
root=$run/root
mounted=()
gone=() # kept roots replaced by this run, removed once nothing is mounted

unmount_all() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}"
    done
    mounted=()
}
cleanup() {
    unmount_all
    # Only once nothing is mounted inside does a folder go, and never across
    # into another file system.
    local folder
    for folder in "$run" "${gone[@]}"; do
        grep -q " $folder/" /proc/mounts || rm -rf --one-file-system "$folder"
    done
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

mount_inside() { # mount_inside WHERE MOUNT-ARGUMENTS...
    local where=$root/$1
    shift
    mount "$@" "$where"
    mounted+=("$where")
}

# A kept root is a folder; one kept as a tarball (as it once was) is
# unpacked into one, once.
unpacked() { # unpacked FOLDER: whether FOLDER is (now) there
    [ -d "$1" ] && return 0
    [ -s "$1.tar" ] || return 1
    local part=$run/${1##*/}
    mkdir "$part" && tar -C "$part" -xf "$1.tar" && chmod 755 "$part" && mv -T "$part" "$1" && rm -f "$1.tar"
}
if unpacked "$kept"; then
    lower=$kept
elif unpacked "$minbase"; then
    lower=$minbase
else
    command -v debootstrap >/dev/null ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
    part=$run/minbase
    debootstrap --variant=minbase "$suite" "$part" "${mirror:-http://deb.debian.org/debian}" >/dev/null
    chmod 755 "$part"
    mv -T "$part" "$minbase"
    lower=$minbase
fi
mkdir "$run/layer" "$run/work" "$root"
mount -t overlay overlay -o "lowerdir=$lower,upperdir=$run/layer,workdir=$run/work" "$root"
mounted+=("$root")
chmod 755 "$root" # tests run some steps as another user
mount_inside proc -t proc proc
mount_inside dev --bind /dev
mount_inside dev/pts --bind /dev/pts
mount_inside tmp -t tmpfs -o mode=1777 tmpfs
# A compiler cache named by CCACHE_DIR is this machine's, at the same place.
if [ -n "${CCACHE_DIR:-}" ]; then
    mkdir -p "$CCACHE_DIR" "$root$CCACHE_DIR"
    mount_inside "${CCACHE_DIR#/}" --bind "$CCACHE_DIR"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
git clone -q --no-hardlinks . "$root/src"
git -C "$root/src" checkout -q "$(git rev-parse HEAD)"

echo "== in Debian $(cat "$root/etc/debian_version"): ${command[*]}"
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin TERM=dumb LANG=C.UTF-8 \
    CI="${CI:-}" WERROR="${WERROR:-}" DISPLAY="${DISPLAY:-}" CCACHE_DIR="${CCACHE_DIR:-}" \
    /bin/bash -c 'cd /src && "$@"' bash "${command[@]}"

# What the run changed in the root is in the overlay's writable layer: a
# file, a link or a removal's mark, outside what this run copied in, the
# system's logs and caches (the package test's install writes them), and
# root's home (where the tests' programs leave their caches, settings and
# session bus addresses). A file written again as it was (its bytes, mode
# and owner) is no change, as the tests' throwaway user leaves the user and
# group files; nor are the backups the user tools keep of them.
layer=$run/layer
changed=
while IFS= read -r -d '' file; do
    name=${file#"$layer"}
    case $name in /etc/passwd- | /etc/group- | /etc/shadow- | /etc/gshadow-) continue ;; esac
    if [ -f "$file" ] && [ ! -L "$file" ] && [ -f "$lower$name" ] && [ ! -L "$lower$name" ] &&
        [ "$(stat -c %a:%u:%g "$file")" = "$(stat -c %a:%u:%g "$lower$name")" ] &&
        cmp -s "$file" "$lower$name"; then
        continue
    fi
    changed=$name
    break
done < <(find "$layer" \( -path "$layer/src" -o -path "$layer/tmp" -o -path "$layer/etc/resolv.conf" \
    -o -path "$layer/var/log" -o -path "$layer/var/cache" -o -path "$layer/root" \) -prune -o ! -type d -print0)
if [ "$lower" = "$kept" ] && [ -z "$changed" ]; then
    echo "== the root left as it was kept: $kept"
    exit 0
fi
[ -z "$changed" ] || echo "== the root changed ($changed, ...): kept anew"
# Kept without what this run mounted or copied in, nor the packages'
# downloads; the root it replaces, and older lists' roots, go once nothing
# is mounted on them.
part=$run/kept
mkdir "$part"
tar -C "$root" --one-file-system --exclude=./src --exclude='./var/cache/apt/archives/*.deb' -cf - . |
    tar -C "$part" -xf -
chmod 755 "$part"
unmount_all
for old in /var/tmp/vesk-debian"$release"-deps-*; do
    if grep -q "lowerdir=$old[,: ]" /proc/mounts; then continue; fi # another run's
    if [ "$old" = "$kept" ]; then
        gone+=("$(mktemp -u "$kept.gone.XXXXXX")")
        mv -T "$kept" "${gone[-1]}"
    else
        gone+=("$old")
    fi
done
if [ -e "$kept" ]; then # (still another run's)
    gone+=("$part")
else
    mv -T "$part" "$kept"
fi
