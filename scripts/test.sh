#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
ctest --preset default
