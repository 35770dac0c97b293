#!/usr/bin/env bash
# Builds velm and runs every test: the C++ core tests, then the Python tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

if [ ! -f build/core-tests/build.ninja ]; then
  meson setup build/core-tests -Dcore_tests=true >/dev/null
fi
meson test -C build/core-tests --print-errorlogs

cd tests/python
../../.venv/bin/python -m pytest -q -p no:cacheprovider
