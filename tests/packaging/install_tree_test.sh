#!/usr/bin/env bash
# Installs the build tree into a temporary prefix and checks that every piece lands where the
# desktop looks for it.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build_dir" --prefix "$prefix" >/dev/null

app_id=com.travex.Quillora
expected=(
  bin/quillora
  bin/quillora-cli
  share/applications/$app_id.desktop
  share/metainfo/$app_id.metainfo.xml
  share/icons/hicolor/scalable/apps/$app_id.svg
  share/man/man1/quillora-cli.1.gz
)
if command -v rsvg-convert >/dev/null; then
  for size in 16 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png")
  done
fi
status=0
for file in "${expected[@]}"; do
  if [ ! -s "$prefix/$file" ]; then
    echo "missing or empty: $file"
    status=1
  fi
done
for exe in bin/quillora bin/quillora-cli; do
  [ -x "$prefix/$exe" ] || { echo "not executable: $exe"; status=1; }
done
if command -v file >/dev/null && [ -s "$prefix/share/icons/hicolor/48x48/apps/$app_id.png" ]; then
  file "$prefix/share/icons/hicolor/48x48/apps/$app_id.png" | grep -q "48 x 48" ||
    { echo "the 48x48 icon has another size"; status=1; }
fi
exit $status
