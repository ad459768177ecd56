#!/usr/bin/env bash
# Lists the C++ files whose layout differs from .clang-format and how many lines would change;
# exits 1 when any would. Changes nothing. Generated files are left out.
set -euo pipefail
cd "$(dirname "$0")/.."

files=0
lines=0
while IFS= read -r file; do
  changed=$(clang-format --style=file "$file" | diff "$file" - | grep -c '^[<>]' || true)
  if [ "$changed" -gt 0 ]; then
    echo "$file: $changed lines"
    files=$((files + 1))
    lines=$((lines + changed))
  fi
done < <(git ls-files '*.cpp' '*.h' | grep -v '^pdf/PdfFontWidths.cpp$')

if [ "$files" -gt 0 ]; then
  echo "format-check: $files files would change ($lines diff lines); run clang-format -i on them"
  exit 1
fi
echo "format-check: clean"
