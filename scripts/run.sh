#!/usr/bin/env bash
# Sets the machine up, builds, and starts the program on this display.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): cannot open the window." >&2
    exit 1
fi
exec "$build_dir/src/RootsOfPolynomial" "$@"
