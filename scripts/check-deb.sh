#!/usr/bin/env bash
# Builds the Debian package, installs it, starts the installed program under
# Xvfb, checks that the window "Roots Of Polynomial" appears, and removes the
# package again. Needs root (it installs and removes a package).
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [[ $(id -u) -ne 0 ]]; then
    echo "check-deb.sh installs a package: run it as root." >&2
    exit 1
fi
require_packages "${build_packages[@]}" xvfb xauth xdotool dpkg-dev file
build "$build_dir"

(cd "$build_dir" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build_dir"/roots-of-polynomial_*.deb | head -n 1)
echo "Built $(basename "$deb"): depends on $(dpkg-deb -f "$deb" Depends)"

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
trap 'DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq roots-of-polynomial >/dev/null 2>&1 || true' EXIT
installed=$(command -v RootsOfPolynomial)
echo "Installed $installed"

# The window must come up within 20 s; its title is looked up by X itself.
xvfb-run -a bash -c '
    "$0" & app=$!
    if timeout 20 xdotool search --sync --onlyvisible --name "^Roots Of Polynomial\$" >/dev/null; then
        echo "The window \"Roots Of Polynomial\" appeared"; status=0
    else
        echo "The window \"Roots Of Polynomial\" did not appear" >&2; status=1
    fi
    kill "$app"; wait "$app" 2>/dev/null || true
    exit $status' "$installed"

DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq roots-of-polynomial >/dev/null
trap - EXIT
if dpkg-query -W -f='${Status}' roots-of-polynomial 2>/dev/null | grep -q 'ok installed' \
    || [[ -e /usr/bin/RootsOfPolynomial ]]; then
    echo "The package did not uninstall cleanly" >&2
    exit 1
fi
echo "Removed the package; nothing left in /usr/bin"
