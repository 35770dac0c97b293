#!/usr/bin/env bash
# Builds velm for every further CPython found under pyenv (3.12, 3.13, ...) and runs
# the Python tests that need only pytest against it. pytest is pure Python and is
# taken from Debian's package; numpy-based tests are skipped where numpy is absent.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
pytest_path=$(/usr/bin/python3 -c 'import pytest, os; print(os.path.dirname(os.path.dirname(pytest.__file__)))')
status=0
for python in "${PYENV_ROOT:-/root/.pyenv}"/versions/3.1[2-9]*/bin/python3; do
  [ -x "$python" ] || continue
  version=$("$python" -c 'import sys; print("%d.%d" % sys.version_info[:2])')
  echo "=== CPython $version ($python)"
  build="build/py$version"
  if [ ! -f "$build/build.ninja" ]; then
    mkdir -p build
    printf "[binaries]\npython = '%s'\n" "$python" > "build/py$version.ini"
    meson setup "$build" --native-file "build/py$version.ini" >/dev/null
  fi
  ninja -C "$build" >/dev/null
  module_dir="$(cd "$(dirname "$(find "$build/src" -name 'velm*.so' | head -n 1)")" && pwd)"
  (cd tests/python && PYTHONPATH="$module_dir:$pytest_path" "$python" -m pytest -q -p no:cacheprovider \
     test_module.py test_interpreters.py) || status=1
done
exit $status
