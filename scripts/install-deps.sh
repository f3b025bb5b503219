#!/usr/bin/env bash
# Installs whatever the build, the tests and the sample run need and is missing;
# with package names as arguments, installs those instead (the Windows and fuzz
# scripts name their own).
# Works from a bare Debian 12: runs apt-get as root (or through sudo).
set -euo pipefail

default_packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libvulkan-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    poppler-utils cups cups-client cups-bsd printer-driver-cups-pdf
    xvfb xauth fontconfig fonts-dejavu-core fonts-liberation
    time mawk
    libxlsxwriter-dev  # the spreadsheet writers' workbook library
    python3-openpyxl   # the tests read the written workbooks back with it
    file  # cpack's Debian generator reads the program's type with it
    lintian  # judges the form of the Debian package the tests pack
)

if [ $# -gt 0 ]; then
    packages=("$@")
else
    packages=("${default_packages[@]}")
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
    as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
