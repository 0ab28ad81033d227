#!/usr/bin/env bash
# A program built on the simulation alone (zbtool) must not need GL, GLU or Xlib at run time.
set -euo pipefail
program=$1
libraries=$(ldd "$program")
if grep -E 'lib(GL|GLU|GLX|OpenGL|X11|xcb)[.-]' <<<"$libraries"; then
    echo "error: $program links the drawing's libraries" >&2
    exit 1
fi
echo "ok: $program needs no GL or X"
