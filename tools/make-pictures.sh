#!/usr/bin/env bash
# Remakes the README's pictures of every window in docs/, from the real program,
# offscreen. Run after `bash tools/test.sh` (which builds build-test/).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build-test --target merilon_screenshots
QT_QPA_PLATFORM=offscreen build-test/tools/merilon_screenshots docs
