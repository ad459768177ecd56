#!/usr/bin/env bash
# Scripted run of the workstation under Xvfb with the real program and a throw-away home:
# five generated scans and one unreadable file are taken in from the scanner folder; a page
# chosen with the arrow keys gets a caption and an annotation; a page is deleted with the
# Delete key and brought back with Ctrl+Z; the unreadable page is deleted; the chart is saved
# and the PDF is checked with qpdf and pdfinfo. The screenshots of the manual are written on
# the way.
#
#   scripts/demo-run.sh [program] [screenshot folder]
#
# Needs xvfb, xdotool and imagemagick's import (tools of this script only).
set -euo pipefail

PROGRAM=$(realpath "${1:-build/release/bin/quillora}")
SHOTS=$(realpath -m "${2:-docs/manual}")
for tool in Xvfb xdotool import cjpeg qpdf pdfinfo python3; do
  command -v "$tool" >/dev/null || { echo "demo-run: $tool is missing" >&2; exit 1; }
done

WORK=$(mktemp -d)
XVFB_PID=""
APP_PID=""
cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_STATE_HOME="$WORK/home/.local/state" LANG=C.UTF-8
SCANNER="$HOME/Quillora/Scanner"
CHARTS="$HOME/Quillora/Charts"
mkdir -p "$SCANNER" "$CHARTS" "$XDG_CONFIG_HOME"

# Five pages: a patient sheet and four chart pages, each with its own colour band.
python3 - "$WORK" <<'PY'
import sys
work = sys.argv[1]
w, h = 850, 1100
bands = [(40, 90, 160), (200, 60, 60), (40, 140, 70), (200, 140, 20), (110, 60, 160)]
for page, band in enumerate(bands, start=1):
    rows = bytearray()
    for y in range(h):
        for x in range(w):
            if y < 120:
                pixel = band
            elif 180 <= y < 1000 and (y - 180) % 60 < 24 and 80 <= x < 80 + (700 - (y * 7 + page * 53) % 300):
                pixel = (30, 30, 30)
            elif page == 1 and 300 <= y < 700 and 500 <= x < 760 and (x // 20 + y // 20) % 2 == 0:
                pixel = (120, 120, 120)
            else:
                pixel = (255, 255, 255)
            rows += bytes(pixel)
    with open(f"{work}/page{page}.ppm", "wb") as f:
        f.write(b"P6 %d %d 255\n" % (w, h) + rows)
PY
for n in 1 2 3 4 5; do cjpeg -quality 85 -outfile "$SCANNER/page$n.jpg" "$WORK/page$n.ppm"; done
# A file that is not an image at all: it becomes the page "読めません".
printf 'not an image' > "$SCANNER/page6.jpg"

# A free display number, chosen by the server itself.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
XVFB_PID=$!
for _ in $(seq 50); do [ -s "$WORK/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$WORK/display")"
sleep 1
start_program() {
  "$PROGRAM" >/dev/null 2>&1 &
  APP_PID=$!
  WIN=$(xdotool search --sync --name "Travex Quillora" | head -1)
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$WIN")" # X, Y, WIDTH, HEIGHT
}
click() { xdotool mousemove "$((X + $1))" "$((Y + $2))" click "${3:-1}"; sleep "${4:-0.5}"; }

# A first run writes the default settings when the program ends ("ファイル", last item
# "プログラム終了"); the second run uses medium thumbnails (ImSize 2).
start_program
click 28 7
xdotool key Up Return
wait "$APP_PID" || true
SETTINGS="$XDG_CONFIG_HOME/Travex/QuilloraShare.reg"
[ -f "$SETTINGS" ] || { echo "demo-run: the first run wrote no settings" >&2; exit 1; }
sed -i 's/"ImSize"=dword:00000000/"ImSize"=dword:00000002/' "$SETTINGS"
start_program

# Toolbar "スキャナ画像読取": the first button below the menu bar.
click 20 45 1 3

# Page 3, chosen with the keyboard: a click on page 2, then the right arrow. It gets a
# caption typed in place and an annotation on the "注釈" tab. Items stand in a grid of 154
# pixels (128-pixel pictures, a frame of 1 and margins) starting at the list's left edge.
ITEM2_X=$((4 + 154 + 77)); ITEM_Y=190
click "$ITEM2_X" "$ITEM_Y" 1 1
xdotool key Right; sleep 0.5
xdotool key F2; sleep 0.5
xdotool type --delay 50 "kensa"; xdotool key Return; sleep 0.5
import -window "$WIN" "$SHOTS/main-pages.png"
click 178 110                    # tab "注釈" (shown for the selected page, number 3)
click 300 300                    # the memo
xdotool type --delay 30 "Chart note for page 3"; sleep 0.3
import -window "$WIN" "$SHOTS/main-note.png"
click 118 110 1 2                # tab "患者確認"
import -window "$WIN" "$SHOTS/main-patient.png"
click 40 110                     # back to "ページ確認"

# Page 2 deleted with the Delete key and brought back with Ctrl+Z; then the unreadable last
# page (End) deleted, so that the chart holds pages 2 to 5.
click "$ITEM2_X" "$ITEM_Y" 1 1
xdotool key Delete; sleep 0.5
xdotool key ctrl+z; sleep 0.5
xdotool key End; sleep 0.3
xdotool key Delete; sleep 0.5

# Patient number 12345, serial 0, "保存".
click 120 80; xdotool type --delay 50 "12345"
click 346 81 1 3
import -window "$WIN" "$SHOTS/main-saved.png"

CHART=$(find "$CHARTS" -name '*.pdf' | head -1)
if [ -z "$CHART" ]; then
  echo "demo-run: no chart was saved" >&2
  exit 1
fi
echo "chart: ${CHART#"$HOME"/}"
qpdf --check "$CHART" >/dev/null && echo "qpdf --check: ok"
PAGES=$(pdfinfo "$CHART" | awk '/^Pages:/ {print $2}')
echo "pages: $PAGES (first page, the patient sheet, left out)"
[ "$PAGES" = 4 ]
OUTLINES=$(qpdf --json --json-key=outlines "$CHART")
grep -q '"kensa"' <<<"$OUTLINES" || { echo "demo-run: outline kensa missing: $OUTLINES" >&2; exit 1; }
echo "outline: kensa"
grep -a -q 'Chart note for page 3' "$CHART" || { echo "demo-run: annotation missing" >&2; exit 1; }
echo "annotation: Chart note for page 3"
# The page chosen with the keyboard (page 3 of the list) is the second PDF page, the first
# page being left out: the undo put page 2 back in front of it.
KENSA_PAGE=$(qpdf --json --json-key=outlines "$CHART" | python3 -c '
import json, sys
print(next(o["destpageposfrom1"] for o in json.load(sys.stdin)["outlines"] if o["title"] == "kensa"))')
echo "outline kensa on PDF page: $KENSA_PAGE"
[ "$KENSA_PAGE" = 2 ] || { echo "demo-run: the caption is on the wrong page" >&2; exit 1; }
echo "screenshots: $SHOTS/main-pages.png $SHOTS/main-note.png $SHOTS/main-patient.png $SHOTS/main-saved.png"
