#!/usr/bin/env bash
# Proves that the README's commands work on a machine that has nothing but Debian 12's minimal
# base: builds such a system once with debootstrap (kept as a tarball), and for each path unpacks
# it anew, runs the README's prerequisites line in it, clones this repository's committed HEAD
# into it and runs the README's command there:
#   test   make test                 (every test)
#   run    make build DEPS=run       (the program alone, with only what running it needs)
# Usage: tools/check-fresh-machine.sh [test|run|both]    (default both; needs root)
# ZB_FRESH_DIR sets the scratch folder (default /var/tmp/zb-fresh-machine); ZB_DEBIAN_MIRROR the
# archive, which is otherwise read from this machine's apt sources. Each path's log is kept in
# the scratch folder. Takes 10 to 30 minutes; not part of CI.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

paths=${1:-both}
case "$paths" in
    both) paths="test run" ;;
    test | run) ;;
    *) echo "usage: $0 [test|run|both]" >&2; exit 2 ;;
esac
if [ "$(id -u)" -ne 0 ]; then
    echo "error: $0 needs root (debootstrap, chroot, mounts)" >&2
    exit 2
fi

scratch=${ZB_FRESH_DIR:-/var/tmp/zb-fresh-machine}
tarball=$scratch/debian12-minbase.tar.gz
mkdir -p "$scratch"

# The archive this machine installs from, so the check needs no network beyond it.
mirror=${ZB_DEBIAN_MIRROR:-}
if [ -z "$mirror" ]; then
    mirror=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
        awk '/^URIs:/ { for (i = 2; i <= NF; i++) if ($i !~ /security/) { print $i; exit } }')
fi
if [ -z "$mirror" ]; then
    mirror=$(grep -hE '^deb ' /etc/apt/sources.list 2>/dev/null | grep -v security |
        awk '{ print $2; exit }')
fi
if [ -z "$mirror" ]; then
    echo "error: no Debian archive found in /etc/apt; set ZB_DEBIAN_MIRROR" >&2
    exit 2
fi

# The prerequisites are whatever the README tells a bare machine to install: the check runs that
# very line, so the README cannot drift from what works.
prereq=$(sed -n 's/^    \(apt-get update && apt-get install .*\)$/\1/p' README.md | head -n 1)
if [ -z "$prereq" ]; then
    echo "error: README.md has no indented 'apt-get update && apt-get install …' line" >&2
    exit 2
fi

if [ ! -s "$tarball" ]; then
    command -v debootstrap >/dev/null || {
        export DEBIAN_FRONTEND=noninteractive
        apt-get install -y --no-install-recommends debootstrap ||
            { apt-get update && apt-get install -y --no-install-recommends debootstrap; }
    }
    echo "== building a minimal Debian 12 from $mirror (once)"
    base=$scratch/base
    rm -rf "$base"
    debootstrap --variant=minbase bookworm "$base" "$mirror" >"$scratch/debootstrap.log" 2>&1 || {
        tail -n 20 "$scratch/debootstrap.log" >&2
        echo "error: debootstrap failed (log: $scratch/debootstrap.log)" >&2
        exit 1
    }
    tar -C "$base" -czf "$tarball.part" . && mv "$tarball.part" "$tarball"
    rm -rf "$base"
fi

# The committed state, as a fresh clone would see it.
rm -rf "$scratch/src.git"
git clone -q --bare "$repo" "$scratch/src.git"

root=
mounted=()
cleanup() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -l "${mounted[$i]}" 2>/dev/null || true
    done
    mounted=()
}
trap cleanup EXIT

mount_in() { # mount_in ARGS... TARGET
    mount "$@"
    mounted+=("${!#}")
}

# Never delete a tree that still has this machine's /dev bound into it (after a killed run).
remove_root() {
    local m
    for m in $(awk -v r="$1" 'index($2, r "/") == 1 { print $2 }' /proc/mounts | sort -r); do
        umount -l "$m"
    done
    if awk -v r="$1" 'index($2, r "/") == 1 { found = 1 } END { exit !found }' /proc/mounts; then
        echo "error: $1 still has mounts; not removing it" >&2
        exit 1
    fi
    rm -rf "$1"
}

failed=()
for path in $paths; do
    root=$scratch/root-$path
    remove_root "$root"
    mkdir -p "$root"
    tar -C "$root" -xzf "$tarball"
    # The same archive and security updates as this machine.
    rm -f "$root"/etc/apt/sources.list "$root"/etc/apt/sources.list.d/*
    cp /etc/apt/sources.list.d/*.sources "$root/etc/apt/sources.list.d/" 2>/dev/null || true
    [ -f /etc/apt/sources.list ] && cp /etc/apt/sources.list "$root/etc/apt/"
    cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
    mkdir -p "$root/src.git"
    mount_in -t proc proc "$root/proc"
    mount_in -t sysfs sys "$root/sys"
    mount_in --bind /dev "$root/dev"
    # Where / is a shared mount (as under systemd), what is mounted below the bound /dev would
    # also appear in this machine's /dev; as a slave it only receives.
    mount --make-rslave "$root/dev"
    mount_in -t devpts devpts "$root/dev/pts" -o newinstance,ptmxmode=0666
    mount_in -t tmpfs tmpfs "$root/dev/shm"
    mount_in --bind -o ro "$scratch/src.git" "$root/src.git"

    case "$path" in
        test) command="make test" ;;
        run) command="make build DEPS=run" ;;
    esac
    log=$scratch/$path.log
    echo "== $path: $prereq; git clone; $command (log: $log)"
    start=$(date +%s)
    if chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin \
        LANG=C.UTF-8 /bin/bash -euo pipefail -c "
            export DEBIAN_FRONTEND=noninteractive
            $prereq
            git clone -q /src.git /root/zitterbecken
            cd /root/zitterbecken
            $command
            if [ '$path' = run ]; then
                test -x build/zitterbecken && test -f build/libzbengine.so
                ! test -e build/engine_tests  # the run path must not need the test tools
            fi" >"$log" 2>&1; then
        echo "   passed in $(($(date +%s) - start)) s"
        cleanup
        remove_root "$root"
    else
        echo "   FAILED after $(($(date +%s) - start)) s; the log's end:" >&2
        tail -n 40 "$log" >&2
        failed+=("$path")
    fi
    cleanup
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "error: on a fresh Debian 12 these paths fail: ${failed[*]}" >&2
    exit 1
fi
echo "== fresh machine check passed: $paths"
