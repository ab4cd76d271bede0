#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and its benchmarks need; does nothing when all are there.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql
    qt6-charts-dev qt6-serialport-dev qt6-multimedia-dev
    libxlsxwriter-dev libfreexl-dev libsodium-dev zlib1g-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    postgresql sqlite3 fonts-noto-cjk poppler-utils xvfb
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
