#!/usr/bin/env bash
# Installs what building and testing Vexa needs on Debian 12, by package name; with package names
# as arguments, those instead. Only what is missing is installed.
# Usage: scripts/setup.sh [PACKAGE...]
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-multimedia-dev
    libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    poppler-utils
    espeak-ng sox
    xvfb dbus-daemon
)
[ $# -gt 0 ] && packages=("$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y "${missing[@]}"
fi
