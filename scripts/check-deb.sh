#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh), installs it without
# recommended packages, starts the installed program under Xvfb, checks that
# the window "Roots Of Polynomial" appears, and removes the package again.
# Needs root (it installs and removes a package). scripts/chroot-deb.sh does
# the same on a fresh system of a given Debian release.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [[ $(id -u) -ne 0 ]]; then
    echo "check-deb.sh installs a package: run it as root." >&2
    exit 1
fi
require_packages xvfb xauth xdotool
bash "$root_dir/scripts/package.sh"
deb=$(echo "${PACKAGE_BUILD_DIR:-$root_dir/build-package}"/roots-of-polynomial_*.deb)

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
trap 'DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq roots-of-polynomial >/dev/null 2>&1 || true' EXIT
installed=$(command -v RootsOfPolynomial)
echo "Installed $installed"
bash "$root_dir/scripts/window-check.sh" "$installed"

DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq roots-of-polynomial >/dev/null
trap - EXIT
if is_installed roots-of-polynomial || [[ -e /usr/bin/RootsOfPolynomial ]]; then
    echo "The package did not uninstall cleanly" >&2
    exit 1
fi
echo "Removed the package; nothing left in /usr/bin"
