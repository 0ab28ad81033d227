#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when they are missing.
set -euo pipefail

pkgs=(g++ make cmake ninja-build pkg-config qt6-base-dev qt6-translations-l10n libgl-dev libglu1-mesa-dev libx11-dev
      libgl1-mesa-dri fonts-dejavu-core xvfb xauth imagemagick libgtest-dev libgmock-dev
      libbenchmark-dev clang-14 libclang-rt-14-dev clang-format)

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
