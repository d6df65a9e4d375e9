#!/usr/bin/env bash
# Installs what is missing, builds Мерилон with its tests and runs every test; then
# builds and runs the tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
# The build settings are the presets of CMakePresets.json.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh --tests
cmake --preset tests
cmake --build --preset tests
ctest --preset tests

# The same tests once more, built with AddressSanitizer and UndefinedBehaviorSanitizer:
# the first report stops the test program, and LeakSanitizer checks each one as it
# ends. (The package check, Valgrind's memcheck and the checks of the screen reader
# bus and of Wayland run the plain build.)
cmake --preset sanitizers
cmake --build --preset sanitizers
ctest --preset sanitizers
