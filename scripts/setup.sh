#!/usr/bin/env bash
# Installs what building and testing need, then configures and builds into
# build/. Sourced by test.sh and the other scripts that need the whole build;
# usable on its own as well.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

needs build
build "$build_dir"
