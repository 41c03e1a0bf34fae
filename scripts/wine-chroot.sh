# The Wine environment: a Debian sid chroot with Wine 10, whose amd64 build
# runs in Wine's WoW64 mode and so executes the shipped 32-bit nkcfg.exe
# inside a 64-bit process (Debian 12's Wine cannot).  Made once, kept in one
# place outside the project (NKCFG_CHROOT), reused by every checkout.
# Sourced by scripts/common.sh, never run.

NKCFG_CHROOT=${NKCFG_CHROOT:-/var/cache/nkcfg/wine-sid-chroot}
export NKCFG_CHROOT

# What runs inside: Wine (32-bit and 64-bit), Xvfb, Wine's own fonts (the
# caption buttons' Marlett), the Japanese fonts the dialog asks for, and the
# locales that give code pages 932 and 1252.
NKCFG_CHROOT_PACKAGES=(wine64 wine fonts-wine xvfb xauth x11-utils fonts-ipafont-gothic locales)
# Changing this recipe (packages or steps) makes the next run rebuild the
# chroot: the marker records it.
NKCFG_CHROOT_RECIPE="sid minbase; ${NKCFG_CHROOT_PACKAGES[*]}; ja_JP en_US; recipe 1"

# The Debian mirror this machine's apt already uses.
debian_mirror() {
    {
        grep -hE '^[[:space:]]*deb[[:space:]]' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null \
            | awk '{ for (i = 2; i <= NF; i++) if ($i ~ /^https?:/) { print $i; break } }'
        grep -hE '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null \
            | awk '{ for (i = 2; i <= NF; i++) print $i }'
    } | grep -v -- '-security' | grep -v -- '-updates' | head -1
}

chroot_ready() {
    [ "$(cat "$NKCFG_CHROOT/.nkcfg-ready" 2>/dev/null)" = "$NKCFG_CHROOT_RECIPE" ]
}

# Nothing may be mounted under a folder we are about to delete: a bind
# mount of the project there would take the project with it.
assert_nothing_mounted_under() {
    if findmnt -rn -o TARGET | grep -q "^$1/"; then
        log "$1 still has mounts; not removing it"
        return 1
    fi
}

# Creates the chroot once.  Work happens in a .partial folder that only
# becomes the chroot when every step succeeded, so a setup that fails half
# way is retried from the start next time and never taken for done.
ensure_chroot() {
    chroot_ready && return 0
    mkdir -p "$(dirname "$NKCFG_CHROOT")"
    exec 8>"$NKCFG_CHROOT.lock"
    flock 8
    if chroot_ready; then exec 8>&-; return 0; fi

    local partial=$NKCFG_CHROOT.partial mirror
    mirror=$(debian_mirror)
    [ -n "$mirror" ] || { log "no Debian mirror in /etc/apt/sources*"; return 1; }
    local started=$SECONDS
    log "creating the Wine 10 chroot in $NKCFG_CHROOT (from $mirror; about 2 minutes, ~1.9 GB)"
    assert_nothing_mounted_under "$partial"
    assert_nothing_mounted_under "$NKCFG_CHROOT"
    rm -rf --one-file-system "$partial" "$NKCFG_CHROOT"
    debootstrap --variant=minbase sid "$partial" "$mirror" >"$partial.log" 2>&1 \
        || { log "debootstrap failed; see $partial.log"; return 1; }
    # The archive serves sid with an expired Release date.
    echo 'Acquire::Check-Valid-Until "false";' >"$partial/etc/apt/apt.conf.d/99nkcfg-valid-until"
    printf '%s\n' 'ja_JP.UTF-8 UTF-8' 'en_US.UTF-8 UTF-8' >"$partial/etc/locale.gen"
    unshare --mount --propagation private bash -euc '
        root=$1; shift
        mount -t proc proc "$root/proc"
        mount --rbind /dev "$root/dev"
        export DEBIAN_FRONTEND=noninteractive LC_ALL=C PATH=/usr/sbin:/usr/bin:/sbin:/bin
        chroot "$root" apt-get update -qq
        chroot "$root" apt-get install -y -qq --no-install-recommends "$@"
        chroot "$root" locale-gen
        chroot "$root" apt-get clean
        umount -R "$root/dev" "$root/proc"
    ' setup "$partial" "${NKCFG_CHROOT_PACKAGES[@]}" >>"$partial.log" 2>&1 \
        || { log "installing Wine in the chroot failed; see $partial.log"; return 1; }
    echo "$NKCFG_CHROOT_RECIPE" >"$partial/.nkcfg-ready"
    mv "$partial" "$NKCFG_CHROOT"
    mv "$partial.log" "$NKCFG_CHROOT.log"
    log "chroot ready in $((SECONDS - started)) s: $(du -sh --one-file-system "$NKCFG_CHROOT" | cut -f1)"
    exec 8>&-
}
