#!/usr/bin/env bash
# Builds velm and runs the example program; extra arguments go to it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
.venv/bin/python examples/sine_expansion.py "$@"
