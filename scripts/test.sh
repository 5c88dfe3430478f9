#!/usr/bin/env bash
# Sets the machine up, builds, and runs the whole test suite headless (ctest
# runs every test with QT_QPA_PLATFORM=offscreen).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)"
