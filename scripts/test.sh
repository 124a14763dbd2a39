#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a normal g++ build
# and a clang build with AddressSanitizer and UndefinedBehaviorSanitizer.
# Window tests run in a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

run_tests() {
  xvfb-run -a -s '-screen 0 1024x768x24 -noreset' \
    ctest --test-dir "$1" --output-on-failure --timeout 600 -j2
}

echo "== normal build =="
bash scripts/build.sh build normal
run_tests build

echo "== sanitizer build =="
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
bash scripts/build.sh build-asan sanitize
run_tests build-asan
