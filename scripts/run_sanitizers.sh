#!/usr/bin/env bash
# Builds the extension and the C++ tests with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs the C++ tests and the whole pytest suite
# against the sanitized extension, then the C++ tests once more under
# ThreadSanitizer. Any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
if [ ! -f build/asan/build.ninja ]; then
  meson setup build/asan -Dcore_tests=true -Db_sanitize=address,undefined -Db_lundef=false \
    -Dbuildtype=debugoptimized -Dcpp_args=-fno-sanitize-recover=undefined >/dev/null
fi
ninja -C build/asan >/dev/null
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1 meson test -C build/asan --print-errorlogs

# The interpreter is not built with the sanitizers: load their runtime first, with
# libstdc++ so that a C++ throw inside the extension finds it, and leave the
# interpreter's own allocations alone. Unaddressable sizes must come back as
# allocation failures (MemoryError), not as a sanitizer stop.
runtime="$(g++ -print-file-name=libasan.so):$(g++ -print-file-name=libstdc++.so)"
module_dir="$(dirname "$(find build/asan/src -name 'velm*.so' | head -n 1)")"
cp src/velm.pyi "$module_dir/" 2>/dev/null || true
(
  cd tests/python
  LD_PRELOAD="$runtime" ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:allocator_may_return_null=1 \
    PYTHONPATH="$(cd ../.. && pwd)/$module_dir" PYTHONMALLOC=malloc \
    ../../.venv/bin/python -m pytest -q -p no:cacheprovider -x
)

if [ ! -f build/tsan/build.ninja ]; then
  meson setup build/tsan -Dcore_tests=true -Db_sanitize=thread -Db_lundef=false \
    -Dbuildtype=debugoptimized >/dev/null
fi
ninja -C build/tsan >/dev/null
TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/tests/cpp/tsan_suppressions.txt" meson test -C build/tsan --print-errorlogs
