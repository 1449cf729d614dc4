#!/bin/sh
# Installs every Debian package the engine, its tests and its checks need.
# Safe to run again: apt-get skips what is already installed.
set -eu

PACKAGES="
  build-essential cmake pkg-config ccache git
  qt6-base-dev qt6-base-dev-tools libgl-dev adwaita-icon-theme
  libcups2-dev libfreetype-dev libfontconfig-dev fonts-liberation2
  libjpeg-dev zlib1g-dev libtiff-dev libgif-dev libharfbuzz-dev libssl-dev
  fonts-wqy-microhei fonts-freefont-ttf
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qpdf poppler-utils mupdf-tools libtiff-tools
  cups-daemon cups-client
  zbar-tools zxing-cpp-tools zint libhpdf-dev python3-reportlab
  xvfb xauth
  python3-dev pybind11-dev python3-pytest
  libcurl4-openssl-dev python3-aiosmtpd msmtp xdg-utils openssl
  clang libclang-rt-14-dev libreoffice-draw-nogui libreoffice-writer-nogui
"

missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done

if [ -n "$missing" ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  # shellcheck disable=SC2086
  $SUDO apt-get install -y -q --no-install-recommends $missing
fi
