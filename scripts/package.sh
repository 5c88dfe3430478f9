#!/usr/bin/env bash
# Builds the Debian package of the program: installs what building and
# packaging need (as root; for anyone else it prints the install line and
# stops), builds the program alone into build-package/ and packs it with its
# desktop entry, icon and metainfo. The dependencies are worked out by
# dpkg-shlibdeps from the libraries it links on this release.
#
#   bash scripts/package.sh     # leaves build-package/roots-of-polynomial_*.deb
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

needs build package
package_dir="${PACKAGE_BUILD_DIR:-$root_dir/build-package}"
configure "$package_dir" -DBUILD_TESTING=OFF
cmake --build "$package_dir" -j"$(nproc)"
rm -f "$package_dir"/roots-of-polynomial_*.deb
(cd "$package_dir" && cpack -G DEB >cpack.log 2>&1) || {
    cat "$package_dir/cpack.log" >&2
    exit 1
}
deb=$(echo "$package_dir"/roots-of-polynomial_*.deb)
echo "Built $deb"
echo "It depends on: $(dpkg-deb -f "$deb" Depends)"
echo "Install it with: apt-get install $deb"
