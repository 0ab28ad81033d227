#!/usr/bin/env bash
# Installs the build into a scratch prefix, as a user would, and asks the desktop's own library
# (gio) what tank files are, which icon they get and what opens them: the install itself builds
# the MIME and menu caches. Files without the name ending are recognised by their header alone,
# and files that only resemble one are not.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() { echo "file type check: $*" >&2; exit 1; }
for tool in gio update-mime-database update-desktop-database; do
    command -v "$tool" >/dev/null || fail "$tool is missing (make test installs it)"
done
cmake --install "$build" --prefix "$prefix" >/dev/null
# Only the scratch prefix and the system; gio lists an application only if its command exists.
export XDG_DATA_HOME=$prefix/home XDG_CONFIG_HOME=$prefix/config
export XDG_DATA_DIRS=$prefix/share:/usr/share PATH=$prefix/bin:$PATH LC_ALL=C.UTF-8
type=application/x-zitterbecken

content_type() { gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'; }
# A copy of a tank whose first 16 bytes are replaced (version, width, height, edge flags).
samples=$prefix/samples
mkdir "$samples"
tank=$prefix/lib/zitterbecken/Data/RTFs/MR/01_Radialwelle.zb
with_header() {
    { printf '%b' "$2"; tail -c +17 "$tank"; } >"$samples/$1"
}
expect() {
    local got
    got=$(content_type "$samples/$1")
    [ "$got" = "$2" ] || fail "$1 is $got, not $2 ($3)"
}

cp "$tank" "$samples/Becken.zb"
expect Becken.zb "$type" "the name decides"
printf 'kein Becken\n' >"$samples/kaputt.zb"
expect kaputt.zb "$type" "the name decides even over text"
with_header version1 '\x01\0\0\0\xf0\0\0\0\x78\0\0\0\0\x01\0\x01' && expect version1 "$type" "header"
cp "$tank" "$samples/version2" && expect version2 "$type" "header"
with_header version3 '\x03\0\0\0\xf0\0\0\0\xf0\0\0\0\x01\x01\x01\x01' && expect version3 "$type" "header"
with_header version4 '\x04\0\0\0\xf0\0\0\0\xf0\0\0\0\x01\x01\x01\x01' && expect version4 "$type" "header"
for other in 'version5 \x05\0\0\0\xf0\0\0\0\xf0\0\0\0\x01\x01\x01\x01' \
             'big_endian \0\0\0\x02\xf0\0\0\0\xf0\0\0\0\x01\x01\x01\x01' \
             'huge \x02\0\0\0\xf0\0\x01\0\xf0\0\0\0\x01\x01\x01\x01' \
             'flag_byte_2 \x02\0\0\0\xf0\0\0\0\xf0\0\0\0\x01\x02\x01\x01'; do
    with_header "${other% *}" "${other#* }"
    got=$(content_type "$samples/${other% *}")
    [ "$got" != "$type" ] || fail "${other% *} is taken for a tank file"
done

icon=$(gio info -a standard::icon "$samples/Becken.zb" | sed -n 's/^ *standard::icon: \([^,]*\).*/\1/p')
[ -f "$prefix/share/icons/hicolor/48x48/mimetypes/$icon.png" ] ||
    fail "tank files get the icon $icon, which is not installed"
# (The whole answer is kept first: head would close the pipe early, and pipefail would count
# gio's broken pipe.)
default=$(gio mime "$type")
default=${default%%$'\n'*}
[[ $default == "Default application for "*": zitterbecken.desktop" ]] ||
    fail "tank files do not open with the program: $default"
echo "file type check: complete"
