#!/usr/bin/env bash
# Configures and builds one build folder: build.sh <folder> [normal|sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
kind=${2:-normal}
if [[ $kind == sanitize ]]; then
  CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELTRANE_SANITIZE=ON \
    -DVELTRANE_BENCH=OFF >/dev/null
else
  cmake -S . -B "$dir" -G Ninja >/dev/null
fi
cmake --build "$dir"
