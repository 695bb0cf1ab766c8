#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Boardwright needs.
# Idempotent: when everything is there it installs nothing and prints nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6opengl6-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libmeshoptimizer-dev zlib1g-dev
  xvfb xauth xdotool libgl1-mesa-dri libglx-mesa0 libegl-mesa0
  imagemagick fonts-dejavu-core desktop-file-utils appstream shared-mime-info poppler-utils
  clang-format clang-tidy git python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
