#!/usr/bin/env bash
# Installs what building and testing need, then configures and builds into
# build/. Sourced by run.sh and test.sh; usable on its own as well.
set -euo pipefail

root_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${BUILD_DIR:-$root_dir/build}"
source "$root_dir/scripts/require-packages.sh"
require_packages g++ make cmake qtbase5-dev qtbase5-dev-tools libflint-dev libflint-arb-dev

cmake -S "$root_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
