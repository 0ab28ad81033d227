#!/usr/bin/env bash
# A machine without Google Benchmark must still get every test: configures the project anew in a
# scratch folder with the benchmark library hidden and checks that the test programs are there
# and the benchmarks are not.
# Usage: check_without_benchmark.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

if ! cmake -S "$source_dir" -B "$scratch" -G Ninja -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON \
    >"$scratch.log" 2>&1; then
    cat "$scratch.log" >&2
    rm -f "$scratch.log"
    echo "FAIL: the project does not configure without Google Benchmark" >&2
    exit 1
fi
rm -f "$scratch.log"
targets=$(ninja -C "$scratch" -t targets all)
status=0
for t in engine_tests engine_gl_tests model_tests zbtool_tests ui_tests richtext_tests; do
    grep -q "^$t: " <<<"$targets" || { echo "FAIL: without Google Benchmark, $t is missing" >&2; status=1; }
done
if grep -q "^zb_bench: " <<<"$targets"; then
    echo "FAIL: zb_bench is configured although Google Benchmark is hidden" >&2
    status=1
fi
[ "$status" -eq 0 ] && echo "without Google Benchmark: every test program configured"
exit "$status"
