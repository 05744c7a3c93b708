#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and `make run` need.
# Idempotent and silent when everything is already present.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libqt6serialport6
    libgl-dev libxkbcommon-dev libx11-dev libxtst-dev xdotool
    libjpeg62-turbo-dev
    libgtest-dev googletest
    clang-format
    xvfb xauth x11-utils fonts-wine
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
