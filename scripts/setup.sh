#!/usr/bin/env bash
# Installs what building and testing need, then configures and builds into
# build/. Sourced by run.sh and test.sh; usable on its own as well.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

require_packages "${build_packages[@]}"
build "$build_dir"
