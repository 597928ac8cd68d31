#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need.
# Idempotent: packages already present are left alone. Needs root (or sudo).
set -euo pipefail

PACKAGES=(
  cmake g++ make pkg-config
  libopenmesh-dev libopencv-dev libann-dev libboost-graph-dev libcgal-dev libeigen3-dev
  libglu1-mesa-dev libegl-dev libegl1-mesa-dev libgl1-mesa-dri libepoxy-dev
  potrace libgtest-dev libbenchmark-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
