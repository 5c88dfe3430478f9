#!/usr/bin/env bash
# Solves seeded random polynomials (default 100000, in every family) with
# the solver's fast arithmetic and with its literal one, in the three
# option settings, and reports how many solves differ in any bit. The
# committed test tests/test_same_bits.cpp does the same on 2000 of them.
#
#   bash scripts/compare-fast-literal.sh [COUNT [SEED]]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

"$build_dir/tests/compare_fast_literal" "$@"
