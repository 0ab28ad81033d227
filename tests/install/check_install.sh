#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that it is complete and self-contained:
# the commands, the program beside its engine and data, the gallery, the menu entry, the file
# type, the icons and the manual pages.
set -euo pipefail
build=$1
version=$2
source=$3
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
# Every experiment of the gallery with its text and the picture the build drew of it.
gallery=0
for text in "$source"/data/Versuche/*.txt; do
    name=$(basename "$text" .txt)
    [ -f "$source/data/Versuche/$name.zb" ] || continue # a text of no experiment
    for f in "$name.zb" "$name.txt" "$name.png"; do
        [ -f "$dir/Data/Versuche/$f" ] || fail "missing Data/Versuche/$f"
    done
    gallery=$((gallery + 1))
done
[ "$gallery" -gt 0 ] || fail "no experiment of the gallery in $source/data/Versuche"
# The program finds its engine in its own folder, wherever the folder is. (ldd's output is kept
# first: grep -q would stop reading early, and pipefail would count ldd's broken pipe.)
libraries=$(ldd "$dir/zitterbecken")
grep -q "libzbengine.so => $dir/libzbengine.so" <<<"$libraries" ||
    fail "the installed program does not use the installed engine"

# Both commands tell their version; the program without a display to open.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/zitterbecken" --version)" = \
  "Zitterbecken $version" ] || fail "zitterbecken --version does not print the version alone"
# --help explains the call and the options, also without a display, and ends without error; an
# unknown option is not taken for a file (were it, the program would wait with a message box).
for option in --help -h; do
    help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/zitterbecken" $option 2>&1) ||
        fail "zitterbecken $option fails: $help"
    grep -q '^Aufruf: zitterbecken \[BECKEN.zb\]$' <<<"$help" &&
        grep -q -- '--version  zeigt die Version' <<<"$help" ||
        fail "zitterbecken $option does not explain the call: $help"
done
unknown_exit=0
unknown=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
          timeout 20 "$prefix/bin/zitterbecken" --gibt-es-nicht 2>&1) || unknown_exit=$?
[ "$unknown_exit" = 2 ] && grep -q 'unbekannte Option --gibt-es-nicht' <<<"$unknown" ||
    fail "an unknown option ends with $unknown_exit: $unknown"
[ -x "$prefix/bin/zbtool" ] || fail "no zbtool command"
[ "$("$prefix/bin/zbtool" --version)" = "zbtool (Zitterbecken) $version" ] ||
    fail "zbtool --version does not print the version"

desktop=$prefix/share/applications/zitterbecken.desktop
[ -f "$desktop" ] || fail "no menu entry"
grep -q '^Exec=zitterbecken %f$' "$desktop" || fail "menu entry does not start the command with a file"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop"
fi
for size in 16 22 24 32 48 64 128 256; do
    [ -f "$prefix/share/icons/hicolor/${size}x$size/apps/zitterbecken.png" ] ||
        fail "no $size-pixel icon"
done
svg=$prefix/share/icons/hicolor/scalable/apps/zitterbecken.svg
[ -f "$svg" ] && grep -q '<svg xmlns="http://www.w3.org/2000/svg" .*viewBox=' "$svg" &&
    [ "$(tail -1 "$svg")" = '</svg>' ] || fail "no scalable icon"

# The menu entry declares the type the type definition defines, and the tank files' icon is
# there under the name the definition gives.
mime=$prefix/share/mime/packages/zitterbecken.xml
[ -f "$mime" ] || fail "no file type definition"
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime")
grep -qx "MimeType=$type;" "$desktop" || fail "menu entry does not declare the type $type"
icon=$(sed -n 's/.*<icon name="\([^"]*\)".*/\1/p' "$mime")
for size in 16 32 48 256; do
    [ -f "$prefix/share/icons/hicolor/${size}x$size/mimetypes/$icon.png" ] ||
        fail "no $size-pixel icon $icon for tank files"
done

# The manual pages render without a warning, and zbtool's page documents every option and exit
# code its help lists.
man1=$prefix/share/man/man1
for page in zbtool zitterbecken; do
    [ -f "$man1/$page.1.gz" ] || fail "no manual page $page(1)"
    warnings=$(zcat "$man1/$page.1.gz" | groff -k -man -Tutf8 -ww -z 2>&1) ||
        fail "groff fails on $page(1)"
    [ -z "$warnings" ] || fail "$page(1) has warnings: $warnings"
done
page=$(zcat "$man1/zbtool.1.gz" | sed 's/\\-/-/g')
help=$("$prefix/bin/zbtool" --help)
for option in $(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u); do
    grep -q -- "$option" <<<"$page" || fail "zbtool(1) does not mention $option"
done
exits=$(sed -n '/^\.SH RÜCKGABEWERT/,/^\.SH /p' <<<"$page")
for code in $(sed -n '/^Rückgabewerte:/,$s/^  \([0-9][0-9]*\) .*/\1/p' <<<"$help"); do
    grep -qx "\.B $code" <<<"$exits" || fail "zbtool(1) does not explain exit code $code"
done
echo "install check: complete"
