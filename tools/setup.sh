#!/bin/sh
# Sets everything up on Debian 12: installs the packages the program needs
# (only those missing), then configures and builds into build/.
# Usage: tools/setup.sh [extra cmake arguments]
set -eu
cd "$(dirname "$0")/.."

PACKAGES="cmake g++ make ccache pkg-config qt6-base-dev libjpeg62-turbo-dev libtiff-dev libpng-dev libdeflate-dev qt6-webengine-dev qt6-image-formats-plugins qt6-translations-l10n \
libx11-dev desktop-file-utils appstream libgtest-dev libgmock-dev libbenchmark-dev fonts-wqy-microhei xvfb xauth python3"

missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "$@"
cmake --build build --parallel "$(nproc)"
