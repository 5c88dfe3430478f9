#!/usr/bin/env bash
# Builds the solver's libFuzzer target (fuzz/fuzz_solver.cpp) with clang and
# AddressSanitizer + UndefinedBehaviorSanitizer into build-fuzz/ (the CMake
# option BUILD_FUZZING), replays the
# committed seeds and regression inputs, then fuzzes for a bounded time.
#
#   bash scripts/fuzz.sh            # 60 s
#   FUZZ_SECONDS=600 bash scripts/fuzz.sh
#
# New corpus entries go to a temporary directory, never into the repository
# (FUZZ_CORPUS=DIR keeps them in DIR instead, to go on from there later).
# Whatever the fuzzer finds (crash, timeout, leak) is left in
# build-fuzz/artifacts/ and fails the run; commit it to fuzz/regressions/ once
# the fault is fixed, and tests/test_fuzz_regressions.cpp replays it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
needs build fuzz

fuzz_dir="${FUZZ_BUILD_DIR:-$root_dir/build-fuzz}"
seconds="${FUZZ_SECONDS:-60}"

# ISO C++ and no contraction, as in the normal build: the solver's results
# depend on every rounding happening as written.
sanitize="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
CXX=clang++ configure "$fuzz_dir" -DBUILD_FUZZING=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
    -DCMAKE_CXX_FLAGS="$sanitize -fno-omit-frame-pointer -Werror" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build "$fuzz_dir" -j"$(nproc)" --target fuzz_solver

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
# An input that runs longer than this counts as a hang: the exact check's
# work is bounded, so that even its hardest polynomial ends well inside it
# under the sanitizers.
timeout=1
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

# Every committed input first, each once.
shopt -s nullglob
inputs=("$root_dir"/fuzz/seeds/* "$root_dir"/fuzz/regressions/*)
"$fuzz_dir/fuzz/fuzz_solver" -timeout="$timeout" "${inputs[@]}" >"$fuzz_dir/replay.log" 2>&1 || {
    cat "$fuzz_dir/replay.log"
    exit 1
}
echo "fuzz_solver: replayed $(grep -c '^Executed ' "$fuzz_dir/replay.log") committed inputs"

corpus="${FUZZ_CORPUS:-$(mktemp -d)}"
[[ -n "${FUZZ_CORPUS:-}" ]] || trap 'rm -rf "$corpus"' EXIT
rm -rf "$fuzz_dir/artifacts"
mkdir -p "$fuzz_dir/artifacts"
status=0
# 186 bytes hold the largest input (2 + 23 doubles); more would be ignored.
"$fuzz_dir/fuzz/fuzz_solver" -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb=2048 \
    -max_len=186 -dict="$root_dir/fuzz/solver.dict" -print_final_stats=1 -artifact_prefix="$fuzz_dir/artifacts/" \
    "$corpus" "$root_dir/fuzz/seeds" >"$fuzz_dir/fuzz.log" 2>&1 || status=$?
grep -E '^(#[0-9]+ +DONE|Done |stat::number_of_executed_units|stat::peak_rss_mb)' "$fuzz_dir/fuzz.log" || true
if ((status != 0)) || compgen -G "$fuzz_dir/artifacts/*" >/dev/null; then
    tail -n 60 "$fuzz_dir/fuzz.log"
    echo "fuzz_solver found a fault; inputs in $fuzz_dir/artifacts/:"
    ls -l "$fuzz_dir/artifacts/"
    exit 1
fi
echo "fuzz_solver: $seconds s, no fault found, $(ls "$corpus" | wc -l) corpus entries "
