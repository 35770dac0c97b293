#!/usr/bin/env bash
# Builds velm for every further CPython found under pyenv (3.12, 3.13, ...) and
# runs the Python tests that need only pytest against it. pytest is pure Python
# and is taken from Debian's package.
#
# Debian's meson needs distutils to inspect an interpreter, which 3.12 and later
# no longer ship, so the extension is compiled here directly: the core library
# from meson, the binding layer against each interpreter's own headers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
if [ ! -f build/core-tests/build.ninja ]; then
  meson setup build/core-tests -Dcore_tests=true >/dev/null
fi
ninja -C build/core-tests libvelm_core.a >/dev/null
core="$PWD/build/core-tests/libvelm_core.a"
pytest_path=$(/usr/bin/python3 -c 'import pytest, os; print(os.path.dirname(os.path.dirname(pytest.__file__)))')
status=0
found=0
for python in "${PYENV_ROOT:-/root/.pyenv}"/versions/3.1[2-9]*/bin/python3; do
  [ -x "$python" ] || continue
  found=1
  read -r version include suffix < <("$python" -c 'import sys, sysconfig
print("%d.%d" % sys.version_info[:2], sysconfig.get_paths()["include"], sysconfig.get_config_var("EXT_SUFFIX"))')
  echo "=== CPython $version ($python)"
  out="build/py$version"
  mkdir -p "$out"
  g++ -std=c++20 -O2 -fPIC -shared -ffp-contract=off -fvisibility=hidden \
    -I src -I /usr/include/eigen3 -I "$include" \
    src/python/*.cpp src/legendre_basis_classes.cpp src/module_functions.cpp src/velm_module.cpp \
    "$core" -lfftw3 -lfftw3_threads -ltbb -o "$out/velm$suffix"
  (cd tests/python && PYTHONPATH="$PWD/../../$out:$pytest_path" "$python" -m pytest -q -p no:cacheprovider \
     test_module.py test_interpreters.py) || status=1
done
[ "$found" = 1 ] || echo "no further CPython under pyenv"
exit $status
