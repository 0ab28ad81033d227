#!/usr/bin/env bash
# Builds the Debian package from the build folder into a scratch folder and checks it without
# installing it: its control data (dependencies derived from the libraries the programs load,
# nothing to build with, the project's maintainer), its file list (what the install lays out
# under /usr and nothing from the build tree), lintian's verdict, the software centre entry and
# menu entry by their validators, one version everywhere, and, unpacked, that its commands run
# and the program finds its engine.
set -euo pipefail
build=$1
version=$2
source=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "package check: $*" >&2; exit 1; }
for tool in dpkg-shlibdeps lintian appstreamcli desktop-file-validate; do
    command -v $tool >/dev/null || fail "$tool is missing (make test installs it)"
done
if ! (cd "$build" && cpack -G DEB -B "$work/out") >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    fail "cpack failed"
fi
deb=$work/out/zitterbecken_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack made: $(ls "$work/out")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zitterbecken ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "package version $(field Version)"
[ "$(field Maintainer)" = "Zitterbecken-Team <zitterbecken@example.org>" ] ||
    fail "maintainer $(field Maintainer), not the project's"
depends=$(field Depends)
depends_on() { grep -Eq "(^|[ ,|])$(sed 's/[+.]/\\&/g' <<<"$1")( |,|\$)" <<<"$depends"; }
for p in libqt6widgets6 libqt6gui6 libqt6core6 libopengl0 libglx0 libglu1-mesa libx11-6 libc6 \
         libpng16-16; do
    depends_on "$p" || fail "Depends lacks $p: $depends"
done
if grep -Eq '(^|[ ,|])(gcc|g\+\+|cpp|clang|llvm|build-essential|cmake|ninja-build|make|xvfb|imagemagick|libgtest|libgmock|libbenchmark)|-dev( |,|$)' <<<"$depends"; then
    fail "Depends names a build or test tool: $depends"
fi

# Every path lies in the program's folder or where the desktop and man look.
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
allowed='^\./usr/(bin/(zitterbecken|zbtool)|lib/zitterbecken/(zitterbecken|libzbengine\.so|startbg\.bmp|Data/.*)'
allowed+='|share/applications/zitterbecken\.desktop|share/mime/packages/zitterbecken\.xml'
allowed+='|share/icons/hicolor/[0-9]+x[0-9]+/(apps/zitterbecken|mimetypes/application-x-zitterbecken)\.png'
allowed+='|share/icons/hicolor/scalable/apps/zitterbecken\.svg'
allowed+='|share/metainfo/org\.example\.zitterbecken\.metainfo\.xml'
allowed+='|share/doc/zitterbecken/(copyright|changelog\.gz)'
allowed+='|share/man/man1/(zbtool|zitterbecken)\.1\.gz)$'
while read -r path; do
    case $path in */) continue ;; esac # folders
    grep -Eq "$allowed" <<<"$path" || fail "unexpected file $path"
    if grep -Eiq 'test|bench|fuzz|crash|vector|CMakeFiles|\.(o|a|f64|cmake)$' <<<"$path"; then
        fail "$path comes from the build tree, not the program"
    fi
done <<<"$listing"
for path in usr/bin/zitterbecken usr/bin/zbtool usr/lib/zitterbecken/zitterbecken \
            usr/lib/zitterbecken/libzbengine.so usr/lib/zitterbecken/startbg.bmp \
            usr/lib/zitterbecken/Data/RTFs/Einfuehrung/Schritt1.zb \
            usr/lib/zitterbecken/Data/Textures/SchirmBgHor.bmp \
            usr/share/applications/zitterbecken.desktop usr/share/mime/packages/zitterbecken.xml \
            usr/share/icons/hicolor/128x128/apps/zitterbecken.png \
            usr/share/icons/hicolor/48x48/mimetypes/application-x-zitterbecken.png \
            usr/share/man/man1/zbtool.1.gz usr/share/man/man1/zitterbecken.1.gz \
            usr/share/doc/zitterbecken/copyright usr/share/doc/zitterbecken/changelog.gz \
            usr/share/metainfo/org.example.zitterbecken.metainfo.xml \
            usr/share/icons/hicolor/scalable/apps/zitterbecken.svg; do
    grep -qx "\./$path" <<<"$listing" || fail "missing /$path"
done
# The gallery: each experiment's tank, text and picture.
for text in "$source"/data/Versuche/*.txt; do
    name=$(basename "$text" .txt)
    [ -f "$source/data/Versuche/$name.zb" ] || continue
    for f in "$name.zb" "$name.txt" "$name.png"; do
        grep -qxF "./usr/lib/zitterbecken/Data/Versuche/$f" <<<"$listing" ||
            fail "missing /usr/lib/zitterbecken/Data/Versuche/$f"
    done
done

# What a distribution checks: lintian without an error or a warning (the informational tags left
# are listed in docs/packaging.md), no maintainer scripts (nothing to do at install but what
# the system's triggers do), the software centre and menu entries valid without a message. The
# screenshots' web addresses are not fetched: they name where a release publishes them.
lintian_out=$(lintian --tag-display-limit 0 "$deb" 2>&1) || true
if grep -E '^(E|W):' <<<"$lintian_out"; then
    fail "lintian reports errors or warnings"
fi
dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -Eq '(^|/)(pre|post)(inst|rm)$' &&
    fail "the package has maintainer scripts: $(dpkg-deb --ctrl-tarfile "$deb" | tar -t | tr '\n' ' ')"

# Unpacked: exactly the three programs, each library they load named in Depends (by the package
# that ships it here), and a layout that runs.
root=$work/root
dpkg-deb -x "$deb" "$root"
programs=$(cd "$root" && find . -type f -exec sh -c \
    'for f; do [ "$(head -c 4 "$f" | od -An -tx1 | tr -d " ")" = 7f454c46 ] && echo "$f"; done' \
    sh {} + | sort)
[ "$programs" = $'./usr/bin/zbtool\n./usr/lib/zitterbecken/libzbengine.so\n./usr/lib/zitterbecken/zitterbecken' ] ||
    fail "programs in the package: ${programs//$'\n'/ }"
for program in $programs; do
    libraries=$(ldd "$root/$program")
    for soname in $(readelf -d "$root/$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        [ "$soname" = libzbengine.so ] && continue
        path=$(sed -n "s|^\s*$soname => \(\S*\).*|\1|p" <<<"$libraries")
        [ -n "$path" ] || fail "$program: $soname not found"
        owner=$(dpkg -S "$path" 2>/dev/null || dpkg -S "/usr$path" 2>/dev/null) ||
            fail "$program: no Debian package ships $path"
        owner=${owner%%:*}
        depends_on "$owner" || fail "$program loads $soname from $owner, which Depends lacks"
    done
done
[ "$("$root/usr/bin/zbtool" --version)" = "zbtool (Zitterbecken) $version" ] ||
    fail "the unpacked zbtool does not run"
"$root/usr/bin/zbtool" info "$root/usr/lib/zitterbecken/Data/RTFs/Einfuehrung/Schritt1.zb" >/dev/null ||
    fail "the unpacked zbtool cannot read the packaged example tank"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/zitterbecken" --version)" = "Zitterbecken $version" ] ||
    fail "the unpacked program does not run"
libraries=$(ldd "$root/usr/lib/zitterbecken/zitterbecken")
grep -q "libzbengine.so => $root/usr/lib/zitterbecken/libzbengine.so" <<<"$libraries" ||
    fail "the unpacked program does not find its engine"

metainfo=$root/usr/share/metainfo/org.example.zitterbecken.metainfo.xml
appstream_out=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) ||
    fail "appstreamcli rejects the metainfo: $appstream_out"
grep -Eq '^[EWIP]:' <<<"$appstream_out" && fail "appstreamcli has remarks: $appstream_out"
desktop_out=$(desktop-file-validate "$root/usr/share/applications/zitterbecken.desktop" 2>&1) ||
    fail "desktop-file-validate rejects the menu entry: $desktop_out"
[ -z "$desktop_out" ] || fail "desktop-file-validate has remarks: $desktop_out"

# One version: the package's, the programs', the changelog's latest entry and the software
# centre's release.
changelog_version=$(zcat "$root/usr/share/doc/zitterbecken/changelog.gz" | head -1 |
                    sed -n 's/^zitterbecken (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$version" ] || fail "changelog's latest entry is $changelog_version"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"/>" "$metainfo" ||
    fail "the metainfo's release is not $version"
echo "package check: complete ($(basename "$deb"), $(stat -c %s "$deb") bytes)"
