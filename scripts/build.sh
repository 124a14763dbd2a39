#!/usr/bin/env bash
# Configures and builds one build folder: build.sh <folder> [normal|release|sanitize] [target...]
# normal is the RelWithDebInfo g++ build, release the optimised g++ build a package is made from,
# sanitize the clang build with AddressSanitizer and UndefinedBehaviorSanitizer, which also builds
# the fuzz targets (their CTest smoke runs each a few seconds; fuzz/README.md). Without targets
# everything is built. Our builds treat warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
kind=${2:-normal}
shift $(($# < 2 ? $# : 2))
case $kind in
sanitize)
  CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRANE_SANITIZE=ON \
    -DVELTRANE_FUZZ=ON -DVELTRANE_BENCH=OFF -DVELTRANE_WERROR=ON >/dev/null ;;
release)
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELTRANE_WERROR=ON >/dev/null ;;
normal)
  cmake -S . -B "$dir" -G Ninja -DVELTRANE_WERROR=ON >/dev/null ;;
*)
  echo "build.sh: unknown kind $kind (normal, release or sanitize)" >&2
  exit 2 ;;
esac
if [[ $# -gt 0 ]]; then
  cmake --build "$dir" --target "$@"
else
  cmake --build "$dir"
fi
