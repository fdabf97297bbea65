#!/usr/bin/env bash
# Installs the Debian packages that building, testing and fuzzing need; only the
# missing ones, quietly when everything is there. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libtinyxml-dev libsndfile1-dev libcairo2-dev
  g++-multilib clang libclang-rt-14-dev clang-format binutils
  alsa-utils python3
  librtaudio-dev librtmidi-dev libjack-jackd2-dev libasound2-dev jackd2
  libx11-dev libxtst-dev libfontconfig-dev xvfb xauth x11-utils fonts-dejavu-core
  lv2-dev liblilv-dev lilv-utils sordi jalv
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages: ${missing[*]}; run as root or install them" >&2
  exit 1
fi
echo "install-deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq >/dev/null || true
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
