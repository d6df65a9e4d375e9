#!/usr/bin/env bash
# Installs what is missing, builds Мерилон with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh dpkg-dev desktop-file-utils libbenchmark-dev valgrind
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
cmake --build build-test
ctest --test-dir build-test --output-on-failure
