#!/bin/sh
# Sets everything up, then runs the whole test suite headless (Qt offscreen).
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh "$@"
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
