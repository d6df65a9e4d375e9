#!/usr/bin/env bash
# Installs what is missing, builds Мерилон and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset default
cmake --build --preset default
exec "$(cat build/program-path)"
