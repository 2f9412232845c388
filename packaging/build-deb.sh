#!/bin/sh
# Builds the Debian package: a portable Release build (no -march=native, no
# tests or benchmarks) into build-deb/, then CPack. The package lands in
# build-deb/ (pictavo_<version>_<arch>.deb). Needs dpkg-dev for
# dpkg-shlibdeps, which works out the library dependencies. The program reads
# pictures from anywhere, so the package gets the usual Debian hardening:
# checked buffer functions, stack protector, read-only relocations bound at
# start.
set -eu
cd "$(dirname "$0")/.."
if ! command -v dpkg-shlibdeps >/dev/null; then
  echo "dpkg-shlibdeps is missing: apt install dpkg-dev" >&2
  exit 1
fi
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DPICTAVO_NATIVE=OFF -DPICTAVO_TESTS=OFF -DPICTAVO_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-D_FORTIFY_SOURCE=2 -fstack-protector-strong" \
  -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro -Wl,-z,now" "$@"
cmake --build build-deb --parallel "$(nproc)"
cd build-deb
cpack -G DEB
ls -1 "$PWD"/pictavo_*.deb
