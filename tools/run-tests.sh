#!/usr/bin/env bash
# Runs every test of a build folder under a virtual X server (the GL and GUI tests need one; a
# private server also keeps them independent of the desktop). ZB_USE_DISPLAY=1 uses $DISPLAY.
# The server runs with -noreset: by default it resets whenever its last client leaves, and a GL
# test that connects during such a reset fails at random when ctest runs tests in parallel.
# Exits non-zero on any failure.
set -euo pipefail
build=${1:-build}
shift || true
args=(--test-dir "$build" --output-on-failure --no-tests=error -j2 "$@")
if [ "${ZB_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
    exec ctest "${args[@]}"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" ctest "${args[@]}"
