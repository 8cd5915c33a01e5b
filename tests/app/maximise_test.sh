#!/usr/bin/env bash
# Real-window test under Xvfb: maximising a drawing window inside the main
# window (double click on its title bar) must show the picture refitted to the
# new size at once: the same picture "DisplayAgain" then draws, not the old
# small picture over leftover pixels. Exits 77 (skipped)
# when xvfb-run or the X tools are missing.
set -u
program=$1
sample=$2
for tool in xvfb-run xdotool import convert compare; do
  command -v "$tool" >/dev/null || exit 77
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$sample" "$work/drawing.plt"
mkdir -p "$work/data" "$work/tmp"
chmod 700 "$work/tmp"

cat >"$work/run.sh" <<'INNER'
set -u
program=$1; work=$2
export XDG_DATA_HOME=$work/data TMPDIR=$work/tmp XDG_RUNTIME_DIR=$work/tmp QT_QPA_PLATFORM=xcb
"$program" "$work/drawing.plt" & pid=$!
trap 'kill $pid 2>/dev/null' EXIT
win=
for _ in $(seq 1 100); do
  win=$(xdotool search --name 'QuindleMini - \[' 2>/dev/null | head -1)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "no main window"; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$win")" # X Y WIDTH HEIGHT
# Without a window manager the keyboard goes where the focus is put.
xdotool windowfocus --sync "$win" 2>/dev/null
shot() { import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"; }
# Two windows, tiled: each is smaller than the frame.
xdotool key alt+w n; sleep 0.5
xdotool key alt+w t; sleep 1
shot "$work/tiled.png"
# The active drawing window's title bar: the first run of at least twelve
# highlight-blue pixels down a column near the left edge of the frame (icons
# have no blue that tall).
column=40
row=$(convert "$work/tiled.png" -crop "1x${HEIGHT}+${column}+0" +repage txt:- |
  awk -F'[(,):]' 'NR > 1 { y = $2 + 0; r = $4 + 0; g = $5 + 0; b = $6 + 0;
       if (b > r + 60 && b > 120) { if (run == 0) start = y; run++ } else run = 0;
       if (run >= 12) { print start; exit } }')
[ -n "$row" ] || { echo "no title bar found"; exit 1; }
xdotool mousemove $((X + column + 30)) $((Y + row + 4)) click --repeat 2 --delay 80 1
sleep 1.5
shot "$work/maximised.png"
# The reference: the same view drawn again ("DisplayAgain(&D)", Display menu).
xdotool key alt+d d
sleep 1.5
shot "$work/again.png"
differ=$(compare -metric AE "$work/maximised.png" "$work/again.png" null: 2>&1)
total=$((WIDTH * HEIGHT))
[ -n "${KEEP_SHOTS:-}" ] && cp "$work"/*.png "$KEEP_SHOTS"/
echo "pixels differing from DisplayAgain: $differ of $total"
# After drawing again the window fills the frame: it was maximised.
same=$(compare -metric AE "$work/tiled.png" "$work/again.png" null: 2>&1)
[ "${same%%.*}" -gt $((total / 20)) ] || { echo "the double click did not maximise"; exit 1; }
[ "${differ%%.*}" -lt $((total / 100)) ] || {
  echo "stale picture after maximise"; exit 1; }
echo "maximise refits the picture: ok"
INNER
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/run.sh" "$program" "$work"
