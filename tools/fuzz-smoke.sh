#!/usr/bin/env bash
# Fuzz smoke run: builds the libFuzzer targets with clang 14 in build-fuzz/, and for each reader
# of outside bytes replays every input that once crashed, then fuzzes it for a while from its
# seed corpus.
# Usage: tools/fuzz-smoke.sh [seconds per target]   (default 60; ZB_FUZZ_BUILD overrides the
# build folder)
# Exits non-zero on any crash, sanitizer report, leak or timeout.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
build=${ZB_FUZZ_BUILD:-build-fuzz}
# libFuzzer reads a total time of 0 as "no limit".
if ! [[ $seconds =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
    echo "usage: $0 [seconds >= 1]" >&2
    exit 2
fi

tools/setup-deps.sh
cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel 2

options=(-timeout=10 -rss_limit_mb=2048 -max_len=65536)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
shopt -s nullglob

for target in bitmap tank rtf; do
    fuzzer=$build/fuzz_$target
    crashers=tests/data/crashers/$target
    seeds=tests/data/fuzz-seeds/$target

    echo "== $target: replaying stored crashers"
    inputs=()
    for f in "$crashers"/*; do
        [ "$(basename "$f")" = README.md ] || inputs+=("$f")
    done
    if [ ${#inputs[@]} -gt 0 ]; then
        # Given files, libFuzzer runs each once and fails on the first that crashes.
        if ! "$fuzzer" "${options[@]}" "${inputs[@]}"; then
            echo "error: an input in $crashers/ fails again" >&2
            exit 1
        fi
    fi
    echo "   ${#inputs[@]} stored inputs run clean"

    echo "== $target: fuzzing for ${seconds}s"
    corpus=$build/corpus-$target
    artifacts=$build/artifacts-$target/
    mkdir -p "$corpus" "$artifacts"
    # New inputs go to the build folder; the committed seeds are only read.
    if ! "$fuzzer" "${options[@]}" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$artifacts" "$corpus" "$seeds"; then
        echo "error: the $target fuzzer found a failure; the input is in $artifacts" >&2
        echo "       keep it in $crashers/ (with a line in its README) once it is fixed" >&2
        exit 1
    fi
done
echo "== fuzz smoke run passed"
