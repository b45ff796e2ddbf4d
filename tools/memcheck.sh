#!/usr/bin/env bash
# Runs the Qt 6 test suite under valgrind memcheck and reports whether Corvane Widgets leaks.
#
#   tools/memcheck.sh [REGEX]      (also: ./dev memcheck [REGEX])
#
# Builds a plain Debug configuration without sanitizers (valgrind and ASan do not mix) in
# $MEMCHECK_BUILD_DIR (default build/memcheck), then runs every test executable whose name
# matches REGEX (default: all) under
#   valgrind --tool=memcheck --leak-check=full --errors-for-leak-kinds=definite
# with tools/valgrind-qt.supp, which hides what Qt, fontconfig and friends allocate once per
# process and never free. At most $MEMCHECK_JOBS (default 2) tests run at a time; a full run
# takes tens of minutes. One log per test lands in $MEMCHECK_BUILD_DIR/memcheck/.
#
# Exit status: 0 when no test reports a definite leak or a memory error, 1 otherwise. A test
# that fails on its own under valgrind (timing) is listed but does not fail the run: the
# ordinary suite judges behaviour.
set -euo pipefail
cd "$(dirname "$0")/.."

dir=${MEMCHECK_BUILD_DIR:-build/memcheck}
jobs=${MEMCHECK_JOBS:-2}
filter=${1:-.}
supp=$PWD/tools/valgrind-qt.supp

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$dir" -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=Debug -DQT_MAJOR_VERSION=6 \
    -DCORVANE_SANITIZE=OFF -DCORVANE_BUILD_EXAMPLES=OFF -DCORVANE_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$dir" -j "$jobs"

logs=$dir/memcheck
rm -rf "$logs" && mkdir -p "$logs"
mapfile -t tests < <(find "$dir/tests" -maxdepth 1 -name 'tst_*' -type f -perm -u+x -printf '%f\n' \
    | grep -E -- "$filter" | sort)
((${#tests[@]})) || { echo "no test matches '$filter'" >&2; exit 1; }

run_one() {
    local dir=$1 logs=$2 supp=$3 test=$4
    local status=0
    (cd "$dir/tests" && QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software \
        valgrind --tool=memcheck --leak-check=full --errors-for-leak-kinds=definite \
            --show-leak-kinds=definite --num-callers=40 --suppressions="$supp" \
            --gen-suppressions=all --error-exitcode=99 --log-file="$PWD/../memcheck/$test.vg.log" \
            "./$test" >"$PWD/../memcheck/$test.out" 2>&1) || status=$?
    echo "$status" >"$logs/$test.status"
    echo "$test: exit $status"
}
export -f run_one
printf '%s\n' "${tests[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ "$dir" "$logs" "$supp" {}

echo "== Summary (definite leaks and memory errors after suppressions)"
bad=0
for test in "${tests[@]}"; do
    log=$logs/$test.vg.log
    status=$(cat "$logs/$test.status")
    definite=$(grep -E 'definitely lost:' "$log" | tail -1 | sed -E 's/.*definitely lost: ([0-9,]+) bytes in ([0-9,]+) blocks.*/\1 bytes in \2 blocks/')
    errors=$(grep -E 'ERROR SUMMARY:' "$log" | tail -1 | sed -E 's/.*ERROR SUMMARY: ([0-9,]+) errors.*/\1/')
    ours=$(grep -cE 'libCorvaneWidgets' "$log" || true)
    note=""
    [ "$status" = 0 ] || [ "$status" = 99 ] || note=" (the test itself failed, exit $status)"
    echo "$test: definitely lost ${definite:-0 bytes}, ${errors:-?} errors, $ours frames in the library$note"
    if [ "$status" = 99 ] || [ "${errors:-0}" != 0 ]; then
        bad=1
        grep -E -A30 'definitely lost in loss record|Invalid (read|write)|uninitialised|Mismatched' "$log" \
            | head -n 60 || true
    fi
done
if ((bad)); then
    echo "memcheck: problems found (logs in $logs)"
    exit 1
fi
echo "memcheck: no definite leaks and no memory errors"
