#!/usr/bin/env bash
# Installs the Debian packages a target needs, when they are missing.
#   run      building and running the program (make run): compiler, build tools, Qt, GL, X11,
#            libpng, Mesa's drivers, a font and Qt's German texts
#   package  everything for run, plus Debian's packaging tools (make package)
#   test     everything for package, plus what only the tests and benchmarks need (make test,
#            make bench); also without an argument
set -euo pipefail

run_pkgs=(g++ make cmake ninja-build pkg-config qt6-base-dev qt6-translations-l10n libgl-dev
          libglu1-mesa-dev libx11-dev libpng-dev libgl1-mesa-dri fonts-dejavu-core)
# dpkg-shlibdeps and dpkg-buildflags for the package's dependencies and build flags; `file`,
# which CPack's package generator runs on every binary.
package_pkgs=(dpkg-dev file)
# Virtual X server; picture checks; GoogleTest and Google Benchmark; the fuzzers' and
# sanitizers' clang; the formatting check; the tools the install and package tests use to check
# the file type, menu entry, manual pages, software centre entry and the package itself.
test_pkgs=(xvfb xauth imagemagick libgtest-dev libgmock-dev libbenchmark-dev clang-14
           libclang-rt-14-dev clang-format shared-mime-info desktop-file-utils libglib2.0-bin
           groff-base appstream lintian)

case "${1:-test}" in
    run) pkgs=("${run_pkgs[@]}") ;;
    package) pkgs=("${run_pkgs[@]}" "${package_pkgs[@]}") ;;
    test) pkgs=("${run_pkgs[@]}" "${package_pkgs[@]}" "${test_pkgs[@]}") ;;
    *) echo "usage: $0 run|package|test" >&2; exit 2 ;;
esac

missing=()
for p in "${pkgs[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    if [ "$status" != "install ok installed" ]; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "error: need root or sudo to install ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
if ! "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; then
    "${sudo[@]}" apt-get update
    "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
