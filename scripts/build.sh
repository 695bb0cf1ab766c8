#!/usr/bin/env bash
# Installs what is missing, then configures and builds the default preset.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)"
