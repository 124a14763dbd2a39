#!/usr/bin/env bash
# Installs every Debian package the game, its tools, its tests and its packaging need.
# Idempotent: prints nothing and changes nothing when all are present.
set -euo pipefail

PACKAGES=(
  libsdl2-dev libsdl2-mixer-dev libsdl2-image-dev libepoxy-dev libjpeg62-turbo-dev
  libfltk1.3-dev libsimpleini-dev libfreetype-dev fonts-dejavu-core libstb-dev
  libsndfile1-dev libespeak-ng-dev cmake ninja-build g++ clang libclang-rt-14-dev
  libgtest-dev libbenchmark-dev xvfb xauth xdotool imagemagick sox
  desktop-file-utils appstream lintian dpkg-dev file openbox x11-utils
)

missing=()
for pkg in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

SUDO=()
[[ $(id -u) -eq 0 ]] || SUDO=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -q
"${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
