#!/usr/bin/env bash
# Installs the Debian 12 packages the explorer builds and tests with. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang clang-format
  libsdl2-dev libcairo2-dev libpango1.0-dev libgdk-pixbuf-2.0-dev libglib2.0-dev shared-mime-info
  nlohmann-json3-dev libsodium-dev libicu-dev libarchive-dev libcurl4-openssl-dev libexpat1-dev
  libasio-dev libspdlog-dev libfmt-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-inter fonts-dejavu-core xvfb xauth xdotool attr
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
