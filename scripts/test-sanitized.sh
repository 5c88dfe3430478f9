#!/usr/bin/env bash
# Builds the program and its tests a second time, into build-sanitize/, with
# AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer, and runs the
# whole test suite there headless. Any report of either sanitizer fails the run.
set -euo pipefail

root_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${SANITIZE_BUILD_DIR:-$root_dir/build-sanitize}"

# The same packages as the normal build: g++ brings the sanitizer runtimes.
source "$root_dir/scripts/require-packages.sh"
require_packages g++ make cmake qtbase5-dev qtbase5-dev-tools libflint-dev libflint-arb-dev

# float-cast-overflow is not part of g++'s "undefined" group; the plot turns
# doubles into pixel positions, so it is asked for by name. Division by zero
# in floating point stays allowed: IEEE defines it and the solver relies on it.
sanitize="-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all"
cmake -S "$root_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="$sanitize -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitize" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Only the toolkit's own start-up leak is suppressed: see the file for why.
export LSAN_OPTIONS="suppressions=$root_dir/tests/lsan.supp:print_suppressions=0"
ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)"
