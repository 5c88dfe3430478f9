#!/usr/bin/env bash
# Builds the normal build (build/) and runs the soak program: 10,000 solve
# cycles and 200 dialogs and plot windows in one process, headless. It prints
# the resident memory before and after and fails if it grew by 2 MiB or more.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

export QT_QPA_PLATFORM=offscreen
"$build_dir/tools/soak"
