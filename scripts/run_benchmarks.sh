#!/usr/bin/env bash
# Builds velm and runs the benchmarks: Google Benchmark for the core kernels, then the
# Python comparison with the NumPy/SciPy peer and the FFTW floor. Results go to
# build/benchmarks/ (core.json, python.json and python.png).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
if [ ! -f build/bench/build.ninja ]; then
  meson setup build/bench -Dbenchmarks=true >/dev/null
fi
ninja -C build/bench benchmarks/core_benchmarks benchmarks/floor >/dev/null
mkdir -p build/benchmarks
build/bench/benchmarks/core_benchmarks --benchmark_out=build/benchmarks/core.json \
  --benchmark_out_format=json --benchmark_min_time=0.05 "$@"
cd benchmarks
../.venv/bin/python run_python.py --floor ../build/bench/benchmarks/floor --output ../build/benchmarks/python
