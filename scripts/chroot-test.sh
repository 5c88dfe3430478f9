#!/usr/bin/env bash
# Tries the README's test command on fresh minimal systems of a Debian
# release (debootstrap, with git added): as root, followed by CI's whole run
# (.ci/run) on the same system; then as a user without sudo, who runs the
# command, gets the install line, runs it as root and runs the command again.
# Says what passed and how long each step took; the logs go to
# $CHROOT_BASE/logs. Takes half an hour or more on two cores: not part of CI.
#
#   sudo bash scripts/chroot-test.sh bookworm    # or trixie
#   CHROOT_CI=0 ...                              # without .ci/run
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/chroot-common.sh"

release="${1:?usage: chroot-test.sh RELEASE (bookworm, trixie, ...)}"
start_trial "$release"
test_command="bash scripts/test.sh"

# Both systems start without apt's package lists, as container images do:
# the scripts must tell what the release offers all the same.
echo "On a fresh $release, as root:"
fresh_chroot "$release" root
rm -rf "$chroot_dir"/var/lib/apt/lists/*
clone_into "$chroot_dir" /root/roots
step "$release root: $test_command" in_chroot "$chroot_dir" "cd /root/roots && $test_command"
if [[ ${CHROOT_CI:-1} != 0 ]]; then
    step "$release root: bash .ci/run" in_chroot "$chroot_dir" "cd /root/roots && CI=true bash .ci/run </dev/null"
fi
remove_chroot "$chroot_dir"

echo "On a fresh $release, as a user without sudo:"
fresh_chroot "$release" user
rm -rf "$chroot_dir"/var/lib/apt/lists/*
in_chroot "$chroot_dir" "useradd --create-home --shell /bin/bash tester"
clone_into "$chroot_dir" /home/tester/roots tester
# The first run stops with the install line; the first line offered is the
# one the user would take.
hint_log="$chroot_base/logs/$release-user-hint.log"
mkdir -p "$chroot_base/logs"
if as_user "$chroot_dir" tester "cd roots && $test_command" >"$hint_log" 2>&1; then
    echo "FAILED  $release user: $test_command passed without installing anything" >&2
    exit 1
fi
install_line=$(awk '/^  (su|sudo) / { sub(/^  /, ""); print; exit }' "$hint_log")
echo "        the install line offered first: ${install_line:0:60}..."
if [[ $install_line != "su -c "* ]]; then
    echo "FAILED  $release user: without sudo the first line offered should use su" >&2
    cat "$hint_log" >&2
    exit 1
fi
before=$(in_chroot "$chroot_dir" "dpkg-query -W -f='\${Status}\n' | grep -c ' installed\$'")
step "$release user: the install line, as root" in_chroot "$chroot_dir" "$install_line"
after=$(in_chroot "$chroot_dir" "dpkg-query -W -f='\${Status}\n' | grep -c ' installed\$'")
echo "        it installed $((after - before)) packages"
step "$release user: $test_command again" as_user "$chroot_dir" tester "cd roots && $test_command"
remove_chroot "$chroot_dir"

finish_trial
