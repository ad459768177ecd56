#!/usr/bin/env bash
# Builds the Debian package from this build tree, installs it with dpkg, runs the installed
# command-line tool and removes the package again. Needs root; exits 77 (skipped) otherwise,
# and also when a quillora package is already installed, which this test must not replace.
set -euo pipefail
build_dir=$1

if [ "$(id -u)" -ne 0 ]; then echo "skipped: installing a package needs root"; exit 77; fi
for tool in dpkg dpkg-shlibdeps cpack flock; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
done

# One package test at a time on this machine (several build trees may run their tests).
exec 9>/tmp/quillora-deb-test.lock
flock 9
if dpkg-query -W -f='${Status}' quillora 2>/dev/null | grep -q "ok installed"; then
  echo "skipped: a quillora package is already installed"
  exit 77
fi

work=$(mktemp -d)
cleanup() {
  dpkg -r quillora >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

cpack --config "$build_dir/CPackConfig.cmake" -B "$work" -G DEB >"$work/cpack.log" ||
  { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/quillora_*.deb)
dpkg-deb -f "$deb" Depends | grep -q "libsane1" || { echo "libsane1 is not a dependency"; exit 1; }

dpkg -i "$deb"
/usr/bin/quillora-cli --help | grep -q "^Usage: quillora-cli"
for file in /usr/bin/quillora /usr/share/applications/com.travex.Quillora.desktop \
            /usr/share/man/man1/quillora-cli.1.gz; do
  [ -e "$file" ] || { echo "not installed: $file"; exit 1; }
done

dpkg -r quillora
if [ -e /usr/bin/quillora-cli ] || [ -e /usr/share/applications/com.travex.Quillora.desktop ]; then
  echo "files left after removal"
  exit 1
fi
if dpkg-query -W -f='${Status}' quillora 2>/dev/null | grep -q "ok installed"; then
  echo "still installed after removal"
  exit 1
fi
echo "installed and removed cleanly"
