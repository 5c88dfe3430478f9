#!/usr/bin/env bash
# Searches seeded random polynomials (default 100000, in every family) with
# the solver and with the literal search of tests/support/, in the three
# option settings, and reports how many differ in any bit. The committed test
# tests/test_same_bits.cpp does the same on 2000 of them.
#
#   bash scripts/compare-fast-literal.sh [COUNT [SEED]]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

"$build_dir/tools/compare_fast_literal" "$@"
