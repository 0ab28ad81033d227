#!/usr/bin/env bash
# Fuzz smoke run: builds the libFuzzer targets with clang 14 in build-fuzz/, replays every input
# that once crashed a reader of outside bytes, then fuzzes each reader for a while from its seed
# corpus with its dictionary (fuzz/<target>.dict), each for the given processor time.
# Usage: tools/fuzz-smoke.sh [seconds of one core per target]   (default 60; ZB_FUZZ_BUILD
# overrides the build folder, ZB_FUZZ_JOBS the number of cores to share, default 2)
# Exits non-zero on any crash, sanitizer report, leak or timeout.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
build=${ZB_FUZZ_BUILD:-build-fuzz}
jobs=${ZB_FUZZ_JOBS:-2}
# libFuzzer reads a total time of 0 as "no limit".
if ! [[ $seconds =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
    echo "usage: $0 [seconds >= 1]" >&2
    exit 2
fi
if ! [[ $jobs =~ ^[0-9]+$ ]] || [ "$jobs" -lt 1 ]; then
    echo "error: ZB_FUZZ_JOBS must be a number >= 1" >&2
    exit 2
fi

tools/setup-deps.sh
cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel 2

targets=(bitmap tank rtf)
options=(-timeout=10 -rss_limit_mb=2048 -max_len=65536)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
shopt -s nullglob

# Every stored input first: they are quick, and a known failure should not wait for the fuzzing.
for target in "${targets[@]}"; do
    crashers=tests/data/crashers/$target
    echo "== $target: replaying stored crashers"
    inputs=()
    for f in "$crashers"/*; do
        [ "$(basename "$f")" = README.md ] || inputs+=("$f")
    done
    if [ ${#inputs[@]} -gt 0 ]; then
        # Given files, libFuzzer runs each once and fails on the first that crashes.
        if ! "$build/fuzz_$target" "${options[@]}" "${inputs[@]}"; then
            echo "error: an input in $crashers/ fails again" >&2
            exit 1
        fi
    fi
    echo "   ${#inputs[@]} stored inputs run clean"
done

# All fuzzers run at once, each for its share of the cores: with three fuzzers on two cores each
# runs 1.5 times as long, so that each gets its seconds of one core and no core idles while a
# last fuzzer runs alone. Each one's output goes to its own log, which is shown when it fails.
wall=$(((seconds * ${#targets[@]} + jobs - 1) / jobs))
[ "$wall" -ge "$seconds" ] || wall=$seconds
declare -A running=() # pid -> target
failed=()
# A cancelled run takes its fuzzers with it.
trap 'for pid in "${!running[@]}"; do kill "$pid" 2>/dev/null || true; done' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

start() {
    local target=$1
    local artifacts=$build/artifacts-$target/
    local corpus=$build/corpus-$target
    mkdir -p "$corpus" "$artifacts"
    echo "== $target: fuzzing for ${wall}s (log: $build/fuzz-$target.log)"
    # New inputs go to the build folder; the committed seeds are only read.
    "$build/fuzz_$target" "${options[@]}" -dict="fuzz/$target.dict" \
        -max_total_time="$wall" -print_final_stats=1 -artifact_prefix="$artifacts" \
        "$corpus" "tests/data/fuzz-seeds/$target" >"$build/fuzz-$target.log" 2>&1 &
    running[$!]=$target
}

# Waits for one of the running fuzzers and reports how it ended.
reap() {
    local pid status=0
    wait -n -p pid "${!running[@]}" || status=$?
    local target=${running[$pid]}
    unset "running[$pid]"
    local log=$build/fuzz-$target.log
    if [ "$status" -eq 0 ]; then
        echo "== $target: no failure in ${wall}s: $(grep -m1 -o 'DONE.*' "$log" || true)"
        return
    fi
    failed+=("$target")
    echo "==================== $target: last lines of $log" >&2
    tail -n 60 "$log" >&2
    echo "error: the $target fuzzer found a failure (exit status $status); the input is in" \
        "$build/artifacts-$target/" >&2
    echo "       keep it in tests/data/crashers/$target/ (with a line in its README) once it is" \
        "fixed" >&2
}

for target in "${targets[@]}"; do
    start "$target"
done
while [ ${#running[@]} -gt 0 ]; do
    reap
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "error: fuzzing failed for: ${failed[*]}" >&2
    exit 1
fi
echo "== fuzz smoke run passed"
