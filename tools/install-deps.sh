#!/usr/bin/env bash
# Installs every Debian package Tesk builds, runs and tests with.
# Fast when everything is already there: apt is only called for what is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  libirrlicht-dev libepoxy-dev libgl1-mesa-dri libgl-dev libx11-dev
  glslang-dev glslang-tools libspirv-cross-c-shared-dev spirv-tools spirv-cross
  liblua5.2-dev libiniparser-dev libzip-dev zlib1g-dev libtinyobjloader-dev
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
  gstreamer1.0-plugins-good gstreamer1.0-plugins-base gstreamer1.0-plugins-ugly gstreamer1.0-tools
  libgtest-dev libgmock-dev libbenchmark-dev rapidjson-dev
  xvfb xauth x11-utils x11-apps xdotool imagemagick libxtst-dev
  clang libclang-rt-14-dev
  lame sox
  python3
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
