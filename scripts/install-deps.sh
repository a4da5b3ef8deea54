#!/usr/bin/env bash
# Installs every Debian package that Study Station needs to build, run and test.
# This is the one list of packages; run it as root (or with sudo available).
# Safe to run again: when everything is present it changes nothing.
set -euo pipefail

PACKAGES=(
  # toolchain
  cmake ninja-build g++ pkg-config
  # the house style's formatter, checked by CI
  clang-format
  # libraries
  libwxgtk3.2-dev qtbase5-dev
  libboost-dev libboost-system-dev libboost-chrono-dev libboost-thread-dev
  libcurl4-openssl-dev libssl-dev
  # sound and film: GStreamer with the common decoders (no sound card needed to build or test)
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
  # tests: GoogleTest, a headless X server, screenshots, local network doubles
  libgtest-dev libgmock-dev xvfb xauth x11-apps imagemagick libx11-dev
  python3 python3-aiosmtpd openssl curl ca-certificates zip unzip tar gzip
  # CI's fuzz stage: clang with libFuzzer and the sanitizer runtimes, and the
  # symbolizer that turns a sanitizer report's addresses into file and line
  clang libclang-rt-14-dev llvm
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#PACKAGES[@]} packages are installed"
  exit 0
fi

SUDO=
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
echo "install-deps: installing ${missing[*]}"
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
