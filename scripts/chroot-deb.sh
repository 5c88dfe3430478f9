#!/usr/bin/env bash
# Builds the Debian package with the README's package command on a fresh
# minimal system of a Debian release, installs it on another fresh one
# (without recommended packages), starts the program there under Xvfb and
# checks that its window appears, then validates the installed desktop entry
# and AppStream metainfo with that release's tools. Says what passed and how
# long each step took; the logs go to $CHROOT_BASE/logs. Takes five to ten
# minutes on two cores: not part of CI.
#
#   sudo bash scripts/chroot-deb.sh bookworm    # or trixie
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/chroot-common.sh"

release="${1:?usage: chroot-deb.sh RELEASE (bookworm, trixie, ...)}"
start_trial "$release"
package_command="bash scripts/package.sh"

echo "Building the package on a fresh $release:"
fresh_chroot "$release" deb-build
clone_into "$chroot_dir" /root/roots
step "$release: $package_command" in_chroot "$chroot_dir" "cd /root/roots && $package_command"
deb=$(echo "$chroot_dir"/root/roots/build-package/roots-of-polynomial_*.deb)
cp "$deb" "$chroot_base/"
deb="$chroot_base/$(basename "$deb")"
echo "        $(basename "$deb"): depends on $(dpkg-deb -f "$deb" Depends)"
remove_chroot "$chroot_dir"

echo "Installing it on another fresh $release:"
fresh_chroot "$release" deb-install
cp "$deb" "$root_dir/scripts/window-check.sh" "$chroot_dir/tmp/"
step "$release: apt-get install the package" in_chroot "$chroot_dir" \
    "apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends /tmp/$(basename "$deb")"
step "$release: the program starts (xvfb-run)" in_chroot "$chroot_dir" \
    "DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends xvfb xauth xdotool && bash /tmp/window-check.sh RootsOfPolynomial"
step "$release: appstreamcli validate --no-net, desktop-file-validate" in_chroot "$chroot_dir" \
    "DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends appstream desktop-file-utils &&
     appstreamcli validate --no-net /usr/share/metainfo/*.metainfo.xml &&
     desktop-file-validate /usr/share/applications/*.desktop"
remove_chroot "$chroot_dir"
rm -f "$deb"

finish_trial
