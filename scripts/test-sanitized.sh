#!/usr/bin/env bash
# Builds the program and its tests a second time, into build-sanitize/, with
# AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer, and runs the
# whole test suite there headless. Any report of either sanitizer fails the run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
needs build

# float-cast-overflow is not part of g++'s "undefined" group; the plot turns
# doubles into pixel positions, so it is asked for by name. Division by zero
# in floating point stays allowed: IEEE defines it and the solver relies on it.
sanitize="-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all"
sanitize_dir="${SANITIZE_BUILD_DIR:-$root_dir/build-sanitize}"
build "$sanitize_dir" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="$sanitize -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitize"

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Only the toolkit's own start-up leak is suppressed: see the file for why.
export LSAN_OPTIONS="suppressions=$root_dir/tests/lsan.supp:print_suppressions=0"
ctest --test-dir "$sanitize_dir" --output-on-failure -j"$(nproc)"
