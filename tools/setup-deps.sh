#!/usr/bin/env bash
# Installs the Debian packages a target needs, when they are missing.
#   run   building and running the program (make run): compiler, build tools, Qt, GL, X11,
#         Mesa's drivers, a font and Qt's German texts
#   test  everything for run, plus what only the tests, benchmarks and the package need
#         (make test, make bench, make package); also without an argument
set -euo pipefail

run_pkgs=(g++ make cmake ninja-build pkg-config qt6-base-dev qt6-translations-l10n libgl-dev
          libglu1-mesa-dev libx11-dev libgl1-mesa-dri fonts-dejavu-core)
# Virtual X server; picture checks; GoogleTest and Google Benchmark; the fuzzers' and
# sanitizers' clang; the formatting check; dpkg-shlibdeps for the package's dependencies; the
# tools the install and package tests use to check the file type, menu entry and manual pages;
# `file`, which CPack's package generator runs on every binary.
test_pkgs=(xvfb xauth imagemagick libgtest-dev libgmock-dev libbenchmark-dev clang-14
           libclang-rt-14-dev clang-format dpkg-dev file shared-mime-info desktop-file-utils
           libglib2.0-bin groff-base)

case "${1:-test}" in
    run) pkgs=("${run_pkgs[@]}") ;;
    test) pkgs=("${run_pkgs[@]}" "${test_pkgs[@]}") ;;
    *) echo "usage: $0 run|test" >&2; exit 2 ;;
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
