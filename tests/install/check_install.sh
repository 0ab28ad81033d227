#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that it is complete and self-contained:
# the command, the program beside its engine and data, the menu entry and the icon.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "install check: $*" >&2; exit 1; }
dir=$(dirname "$(readlink -f "$prefix/bin/zitterbecken")")
[ -x "$dir/zitterbecken" ] || fail "bin/zitterbecken does not lead to the program"
[ -f "$dir/libzbengine.so" ] || fail "the engine is not beside the program"
for f in startbg.bmp Data/Textures/SchirmBgHor.bmp Data/Textures/SchirmBgVert.bmp Data/Logo.bmp \
         Data/RTFs/ZitterBecken.rtf Data/RTFs/OH/Waende.rtf Data/RTFs/Einfuehrung/Schritt1.zb \
         Data/RTFs/MR/01_Radialwelle.rtf Data/RTFs/TutorialFertig.rtf; do
    [ -f "$dir/$f" ] || fail "missing $f"
done
# The program finds its engine in its own folder, wherever the folder is. (ldd's output is kept
# first: grep -q would stop reading early, and pipefail would count ldd's broken pipe.)
libraries=$(ldd "$dir/zitterbecken")
grep -q "libzbengine.so => $dir/libzbengine.so" <<<"$libraries" ||
    fail "the installed program does not use the installed engine"
desktop=$prefix/share/applications/zitterbecken.desktop
[ -f "$desktop" ] || fail "no menu entry"
grep -q '^Exec=zitterbecken$' "$desktop" || fail "menu entry does not start the command"
[ -f "$prefix/share/icons/hicolor/128x128/apps/zitterbecken.png" ] || fail "no icon"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop"
fi
echo "install check: complete"
