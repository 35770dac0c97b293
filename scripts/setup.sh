#!/usr/bin/env bash
# Installs what velm needs from Debian's packages, makes (or refreshes) the
# virtual environment .venv and builds and installs velm into it.
# Cheap to run again: packages already present are not reinstalled and the
# meson build directory is reused.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  g++ meson ninja-build pkg-config
  python3-dev python3-venv python3-pip python3-mesonpy
  python3-pytest python3-numpy python3-scipy python3-mpmath python3-matplotlib python3-hypothesis
  googletest libgtest-dev libbenchmark-dev
  libfftw3-dev libeigen3-dev libboost-math-dev libtbb-dev
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
    || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "Installing Debian packages: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Debian's interpreter, with its numpy, scipy and pytest visible in the venv.
if [ ! -x .venv/bin/python ]; then
  /usr/bin/python3 -m venv --system-site-packages .venv
fi
# A fixed build directory keeps rebuilds incremental.
mkdir -p build/python
.venv/bin/python -m pip install --quiet --no-build-isolation --no-index \
  --config-settings=builddir="$PWD/build/python" .
