#!/usr/bin/env bash
# Installs what is missing, builds Мерилон's benchmarks (in build-test/, beside the
# tests) and runs them offscreen: every figure is printed beside its budget at the
# end. Arguments go to the benchmark program, e.g. --benchmark_filter=lookup.
# Figures are steadiest on an idle machine: the load average is printed first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh libbenchmark-dev
cmake --preset tests >/dev/null
cmake --build build-test --target merilon_bench
echo "Load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
QT_QPA_PLATFORM=offscreen exec build-test/bench/merilon_bench "$@"
