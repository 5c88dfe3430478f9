# Sourced by the scripts that try the project on a fresh Debian system
# (chroot-test.sh, chroot-deb.sh): minimal chroots of a release, made with
# debootstrap once and unpacked anew for every trial, so that no trial sees
# what another installed. Run as root on a Debian machine.
#
#   CHROOT_BASE   where the chroots live (default /work/chroots)
#   DEBIAN_MIRROR the package mirror (default: debootstrap's own)

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

chroot_base="${CHROOT_BASE:-/work/chroots}"
mounted=()

# start_trial RELEASE: stops unless this can make a chroot of RELEASE, and
# starts the clock for finish_trial.
start_trial() {
    trial_release="$1"
    trial_started=$SECONDS
    if [[ $(id -u) -ne 0 ]]; then
        echo "Making a chroot needs root." >&2
        exit 1
    fi
    require_packages debootstrap
    if [[ ! -e /usr/share/debootstrap/scripts/$1 ]]; then
        echo "debootstrap does not know the release \"$1\" (try bookworm or trixie)." >&2
        exit 1
    fi
}

finish_trial() {
    echo "All passed on $trial_release in $(elapsed $((SECONDS - trial_started)))."
}

# pristine_tarball RELEASE: the minimal system of RELEASE with git added, as
# debootstrap leaves it, packed once into $chroot_base/RELEASE.tar.
pristine_tarball() {
    local release="$1" tarball="$chroot_base/$1.tar" dir="$chroot_base/$1-pristine"
    if [[ ! -e $tarball ]]; then
        echo "Making a minimal $release system with debootstrap (a few minutes) ..." >&2
        rm -rf "$dir"
        mkdir -p "$dir"
        debootstrap --variant=minbase --include=git "$release" "$dir" ${DEBIAN_MIRROR:+"$DEBIAN_MIRROR"} \
            >"$chroot_base/$release-debootstrap.log" 2>&1 || {
            tail -n 20 "$chroot_base/$release-debootstrap.log" >&2
            exit 1
        }
        tar -C "$dir" -cf "$tarball.part" . && mv "$tarball.part" "$tarball"
        rm -rf "$dir"
    fi
    echo "$tarball"
}

# fresh_chroot RELEASE NAME: unpacks a new chroot $chroot_base/RELEASE-NAME
# (replacing any old one) into chroot_dir and mounts what programs inside
# expect. The mounts are undone when the script exits.
fresh_chroot() {
    local tarball dir="$chroot_base/$1-$2"
    tarball=$(pristine_tarball "$1")
    release_chroot "$dir"
    rm -rf "$dir"
    mkdir -p "$dir"
    tar -C "$dir" -xf "$tarball"
    cp /etc/resolv.conf "$dir/etc/resolv.conf"
    mount -t proc proc "$dir/proc" && mounted+=("$dir/proc")
    mount --bind /dev "$dir/dev" && mounted+=("$dir/dev")
    mount --bind /dev/pts "$dir/dev/pts" && mounted+=("$dir/dev/pts")
    mount -t tmpfs tmpfs "$dir/dev/shm" && mounted+=("$dir/dev/shm")
    chroot_dir="$dir"
}

# release_chroot DIR: unmounts what fresh_chroot mounted in DIR.
release_chroot() {
    local mount
    for mount in "$1/dev/shm" "$1/dev/pts" "$1/dev" "$1/proc"; do
        if mountpoint -q "$mount"; then
            umount "$mount"
        fi
    done
}

release_all_chroots() {
    local mount i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        mount="${mounted[i]}"
        ! mountpoint -q "$mount" || umount "$mount" || umount -l "$mount"
    done
    mounted=()
}
trap release_all_chroots EXIT

# remove_chroot DIR: unmounts DIR's mounts and deletes it.
remove_chroot() {
    release_chroot "$1"
    rm -rf "$1"
}

# in_chroot DIR COMMAND: runs the shell command as root inside DIR, with
# the environment a root login there would have.
in_chroot() {
    chroot "$1" env -i HOME=/root TERM="${TERM:-dumb}" PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        LANG=C.UTF-8 bash -c "$2"
}

# as_user DIR USER COMMAND: the same as USER, in USER's home directory.
as_user() {
    chroot --userspec="$2:$2" "$1" env -i HOME="/home/$2" USER="$2" LOGNAME="$2" TERM="${TERM:-dumb}" \
        PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 bash -c "cd && $3"
}

# clone_into DIR PATH [OWNER]: a clone of this repository's current commit at
# PATH inside the chroot DIR.
clone_into() {
    git clone --quiet --no-hardlinks "$root_dir" "$1$2"
    git -C "$1$2" checkout --quiet "$(git -C "$root_dir" rev-parse HEAD)"
    if [[ -n ${3:-} ]]; then
        in_chroot "$1" "chown -R $3:$3 $2"
    fi
}

# elapsed SECONDS: minutes and seconds, for the timings reported.
elapsed() {
    printf '%dm%02ds' $(($1 / 60)) $(($1 % 60))
}

# step NAME COMMAND...: runs one step of a trial with its output in a log of
# its own, and says how it went and how long it took.
step() {
    local name="$1" log start status=0
    shift
    log="$chroot_base/logs/$(tr -c 'A-Za-z0-9.\n-' '-' <<<"$name" | tr -s '-').log"
    mkdir -p "$chroot_base/logs"
    start=$SECONDS
    "$@" >"$log" 2>&1 || status=$?
    if ((status == 0)); then
        echo "passed  $name ($(elapsed $((SECONDS - start))))"
    else
        echo "FAILED  $name ($(elapsed $((SECONDS - start))), exit $status); the end of $log:"
        tail -n 40 "$log"
        return "$status"
    fi
}
