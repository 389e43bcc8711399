#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Tarvello need.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-svg-dev libgl-dev
  mdbtools mdbtools-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick poppler-utils fonts-liberation fonts-liberation2 xdg-utils
  cups printer-driver-cups-pdf
  dpkg-dev lintian desktop-file-utils appstream libxml2-utils shared-mime-info libglib2.0-bin xdotool x11-utils
  nlohmann-json3-dev libxlsxwriter-dev python3-openpyxl
)
# Node.js runs one optional cross-check of our Access files; the machine may have it already.
command -v node >/dev/null && command -v npm >/dev/null || packages+=(nodejs npm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update
  $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi
