#!/bin/sh
# Sets everything up, then starts Pictavo. Without a display it says how to
# run it there; with --xvfb it runs under a virtual display (xvfb-run).
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh
if [ "${1:-}" = "--xvfb" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build/src/pictavo
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. Pictavo is a desktop program: run it from a graphical session,"
  echo "or under a virtual display with:  tools/start.sh --xvfb"
  exit 0
fi
exec build/src/pictavo
