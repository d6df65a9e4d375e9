#!/usr/bin/env bash
# Installs what is missing, builds Мерилон with its tests and runs every test; then
# builds and runs the tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh --tests
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
cmake --build build-test
ctest --test-dir build-test --output-on-failure

# The same tests once more, built with AddressSanitizer and UndefinedBehaviorSanitizer:
# the first report stops the test program, and LeakSanitizer checks each one as it
# ends. (The package check, Valgrind's memcheck and the accessibility-bus check need the
# plain build.)
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON \
  -DCMAKE_CXX_FLAGS="$sanitize" -DCMAKE_EXE_LINKER_FLAGS="$sanitize"
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -E '^(package|memcheck|atspi)$'
