#!/usr/bin/env bash
# Runs every test program of the normal build (build/) under valgrind's
# memcheck and checks that none of them loses memory (definitely or
# indirectly) or makes a memory error (invalid access, use of uninitialised
# values, mismatched free). Only the Qt offscreen platform plugin's own
# start-up leak is suppressed (tests/valgrind.supp).
#
#   bash scripts/leak-check.sh                 # every test program
#   bash scripts/leak-check.sh test_plot ...   # only these
#
# valgrind runs x87 long double arithmetic at 64-bit precision, so tests that
# pin the solver's extended-precision results can fail under it. Their
# verdicts are printed but not judged: this check judges memory only. The
# logs stay in build/leak-check/.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
require_packages "${build_packages[@]}" valgrind
build "$build_dir"
export QT_QPA_PLATFORM=offscreen

logs="$build_dir/leak-check"
rm -rf "$logs"
mkdir -p "$logs"

if (($#)); then
    programs=("$@")
else
    programs=()
    for source in "$root_dir"/tests/test_*.cpp; do
        programs+=("$(basename "$source" .cpp)")
    done
fi

# Two at a time, one per core.
run_one() {
    local name="$1"
    local status=0
    valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect \
        --errors-for-leak-kinds=definite,indirect --track-origins=yes --num-callers=40 \
        --suppressions="$root_dir/tests/valgrind.supp" --log-file="$logs/$name.valgrind" \
        "$build_dir/tests/$name" >"$logs/$name.out" 2>&1 || status=$?
    echo "$status" >"$logs/$name.status"
}
export -f run_one
export root_dir build_dir logs
printf '%s\n' "${programs[@]}" | xargs -P 2 -I{} bash -c 'run_one {}'

failed=0
printf '%-24s %10s %10s %7s  %s\n' program definite indirect errors "test verdict (not judged)"
for name in "${programs[@]}"; do
    log="$logs/$name.valgrind"
    definite=$(sed -n 's/.*definitely lost: \([0-9,]*\) bytes.*/\1/p' "$log" | tr -d ,)
    indirect=$(sed -n 's/.*indirectly lost: \([0-9,]*\) bytes.*/\1/p' "$log" | tr -d ,)
    errors=$(sed -n 's/.*ERROR SUMMARY: \([0-9,]*\) errors.*/\1/p' "$log" | tr -d ,)
    # No leak summary at all means nothing was lost; no error summary means
    # the program never finished under valgrind.
    definite=${definite:-0}
    indirect=${indirect:-0}
    verdict=$(grep -E '^Totals:' "$logs/$name.out" | sed 's/, [0-9]* blacklisted.*//' || true)
    printf '%-24s %10s %10s %7s  %s\n' "$name" "$definite" "$indirect" "${errors:-none}" \
        "${verdict:-exit status $(cat "$logs/$name.status")}"
    if [[ -z "$errors" || "$errors" != 0 || "$definite" != 0 || "$indirect" != 0 ]]; then
        failed=1
        grep -E '^==[0-9]+== ' "$log" | head -n 60
    fi
done

if ((failed)); then
    echo "leak check: memory lost or misused; logs in $logs"
    exit 1
fi
echo "leak check: 0 bytes definitely or indirectly lost, 0 memory errors in ${#programs[@]} programs"
