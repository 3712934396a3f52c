#!/usr/bin/env bash
# Installs the Debian packages Kroma needs to build, test and run.
# Asks dpkg first, so a machine that has everything installs nothing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache make
  qt6-base-dev qt6-declarative-dev
  libpng-dev libjpeg-dev libgif-dev zlib1g-dev
  libfreetype-dev libfontconfig-dev
  libhwy-dev  # portable SIMD with run-time dispatch, for the per-pixel filters
  fonts-liberation2 fonts-dejavu-core
  googletest libbenchmark-dev
  libxml2-dev libpugixml-dev  # reference XML parsers for tests and benchmarks
  libtiff-tools  # tiffinfo reads back the TIFF files the tests write
)
# Extra packages a caller may ask for (the test target needs a virtual display).
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q || true
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
