#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: an optimised g++ Release
# build (the one a package is made from; its tests install the game, build the Debian package and
# check both) and a clang RelWithDebInfo build with AddressSanitizer and UndefinedBehaviorSanitizer.
# Window tests run in a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

run_tests() {
  xvfb-run -a -s '-screen 0 1024x768x24 -noreset' \
    ctest --test-dir "$1" --output-on-failure --timeout 900 -j2
}

echo "== release build =="
bash scripts/build.sh build-release release
run_tests build-release

echo "== sanitizer build =="
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
bash scripts/build.sh build-asan sanitize
run_tests build-asan
