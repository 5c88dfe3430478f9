#!/usr/bin/env bash
# Starts the program on this display: checks that there is one, installs
# what building needs if it is missing, and builds the program alone into
# build/. Build output shows only when something is rebuilt or fails.
#
#   bash scripts/run.sh
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    {
        echo "No display: neither DISPLAY nor WAYLAND_DISPLAY is set, so there is nowhere to open the window."
        echo "Run this from a desktop session, or on a virtual display (the package xvfb):"
        echo "  xvfb-run -a bash scripts/run.sh"
    } >&2
    exit 1
fi
needs build

# Configured once (and again if the Qt chosen changes); after that the build
# itself notices changes to the CMake files.
if [[ ! -e $build_dir/CMakeCache.txt ]] || ! grep -qx "ROOTS_QT:STRING=$qt_major" "$build_dir/CMakeCache.txt"; then
    echo "Configuring the build in $build_dir ..."
    configure "$build_dir"
fi
program="$build_dir/src/RootsOfPolynomial"
# Make takes seconds to find that nothing changed; the program is built from
# src/ and the CMake files alone, so a program newer than all of them and the
# build's settings is up to date.
if [[ ! -x $program || -n $(find "$root_dir/src" "$root_dir/cmake" "$root_dir/CMakeLists.txt" \
    "$build_dir/CMakeCache.txt" -newer "$program" -print -quit) ]]; then
    # Only the lines of work done are shown, not the targets found up to date.
    cmake --build "$build_dir" -j"$(nproc)" --target RootsOfPolynomial |
        awk '!/\] Built target |Automatic MOC and UIC for target / { print; fflush() }'
fi
exec "$program" "$@"
