#!/usr/bin/env bash
# Installs, only when missing, every Debian package needed to build, run and test Quillora.
# With --windows: what `make test-windows` needs instead (cross compiler, Wine, GoogleTest sources).
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libjpeg62-turbo-dev libjpeg-turbo-progs libpng-dev zlib1g-dev libtiff-dev
  libsane-dev libsane1 sane-utils
  libgtest-dev
  qpdf poppler-utils
  qt6-translations-l10n
  xvfb xauth
  fonts-ipafont-gothic fonts-urw-base35
  dpkg-dev librsvg2-bin desktop-file-utils appstream
  python3 clang-format
)
# "make fuzz" also needs clang and its libFuzzer runtime.
if [ "${1:-}" = "--fuzz" ]; then
  PACKAGES+=(clang libclang-rt-14-dev)
fi
# With --windows: what `make test-windows` needs instead.
if [ "${1:-}" = "--windows" ]; then
  PACKAGES=(g++-mingw-w64-x86-64-posix wine wine64 googletest)
fi

missing=()
for pkg in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
  else
    echo "install-deps: missing packages (${missing[*]}) and not root and no sudo" >&2
    exit 1
  fi
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
echo "install-deps: done"
