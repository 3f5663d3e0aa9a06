#!/usr/bin/env bash
# Configures and builds Pellix with the MinGW cross toolchain.
# Usage: scripts/build.sh [build-dir] [arch]   (defaults: build, i686)
# A 64-bit build (arch x86_64) goes to build-dir with the suffix "-x64".
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/platform.sh"
arch=${2:-i686}
build=$(pellix_build_dir "${1:-$root/build}" "$arch")

# A compiler cache, when the machine has one, makes rebuilds in fresh build
# folders cheap; the build never needs it.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  # Paths inside the tree are hashed relative to it, so another clone or
  # build folder of the same sources hits the same cache entries.
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja "${launcher[@]}" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" >/dev/null
fi
cmake --build "$build" -- -j"$(nproc)"
