#!/usr/bin/env bash
# Real-window test of drawings opened out of archives named on the command line, under
# Xvfb: a ZIP with one drawing, an LZH with one drawing, and an LZH with two, whose chooser
# is answered with the keyboard. Each time the main window's title names the archive and
# the scratch folder TEMP is empty afterwards. Exits 77 (skipped) when xvfb-run or the X
# tools are missing.
set -u
program=$1
data=$2
command -v xvfb-run >/dev/null && command -v xwininfo >/dev/null && command -v xdotool >/dev/null ||
    exit 77

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/data" "$work/tmp" "$work/in"
chmod 700 "$work/tmp"
cp "$data/one_drawing.zip" "$work/in/one drawing.zip"
cp "$data/sjis_name.lzh" "$work/in/sjis.lzh"
cp "$data/two_drawings.lzh" "$work/in/two.lzh"

cat >"$work/run.sh" <<'INNER'
set -u
program=$1; work=$2
export XDG_DATA_HOME=$work/data TMPDIR=$work/tmp XDG_RUNTIME_DIR=$work/tmp QT_QPA_PLATFORM=xcb
scratch=$work/data/Kestrune/QuindleMini/TEMP
pid=
stop() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; pid=; }
trap stop EXIT
titles() { xwininfo -root -tree | grep -o '"QuindleMini - \[[^]]*\]"'; }
wait_title() {  # $1 = text the title must contain
  for _ in $(seq 1 200); do
    titles | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  echo "no window titled with $1"; titles; return 1
}
scratch_empty() {
  [ -z "$(ls -A "$scratch" 2>/dev/null)" ] || { echo "left in TEMP:"; ls -la "$scratch"; return 1; }
}
open_one() {  # $1 = archive; the window opens the drawing inside it
  "$program" /n "$1" & pid=$!
  wait_title "$1" || return 1
  scratch_empty || return 1
  stop
}
open_one "$work/in/one drawing.zip" || exit 1
open_one "$work/in/sjis.lzh" || exit 1
# Two drawings: the chooser comes up; a double click on its first entry extracts it.
"$program" /n "$work/in/two.lzh" & pid=$!
chooser=
for _ in $(seq 1 200); do
  chooser=$(xdotool search --onlyvisible --name '^Open Archive File$' 2>/dev/null | head -1)
  [ -n "$chooser" ] && break
  sleep 0.1
done
[ -n "$chooser" ] || { echo "no chooser"; exit 1; }
sleep 0.5
# The list begins under the "File List:" caption; its first row is about 38 pixels down.
xdotool mousemove --window "$chooser" 60 38 click --repeat 2 --delay 120 1
wait_title "$work/in/two.lzh" || exit 1
scratch_empty || exit 1
stop
# A left-over in TEMP is cleared by the next first start, not by a "/n" start.
mkdir -p "$scratch"
echo left > "$scratch/old.hgl"
"$program" /n & pid=$!
for _ in $(seq 1 200); do
  [ -n "$(xdotool search --onlyvisible --name '<< QuindleMini >>' 2>/dev/null)" ] && break
  sleep 0.1
done
sleep 0.5
[ -e "$scratch/old.hgl" ] || { echo "a /n start cleared TEMP"; exit 1; }
stop
"$program" & pid=$!
for _ in $(seq 1 200); do [ -e "$scratch/old.hgl" ] || break; sleep 0.1; done
[ -e "$scratch/old.hgl" ] && { echo "the first start left TEMP full"; exit 1; }
stop
echo "archives on the command line: ok"
INNER
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/run.sh" "$program" "$work"
