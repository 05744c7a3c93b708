#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, `make run` and `make package` need; with
# --fuzz also clang with its libFuzzer and sanitizer runtimes for `make fuzz`.
# Idempotent and silent when everything is already present.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libqt6serialport6
    qt6-svg-dev libqt6svg6
    libgl-dev libxkbcommon-dev libx11-dev libxtst-dev xdotool
    libjpeg62-turbo-dev
    libgtest-dev googletest
    clang-format
    xvfb xauth x11-utils fonts-wine
    util-linux                                          # setpriv: start-up as a user without port access
    desktop-file-utils appstream groff man-db file      # validators of what an install puts out
    dpkg-dev                                            # dpkg-shlibdeps for `make package`
)
if [ "${1:-}" = "--fuzz" ]; then
    # llvm brings the symbolizer that names the lines in a crash report.
    packages+=(clang libclang-rt-dev llvm)
fi

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
