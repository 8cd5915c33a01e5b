#!/usr/bin/env bash
# Takes the pictures the HTML manual shows (app/help/images/*.png): runs the
# real program under Xvfb on samples/sample.plt with a fresh settings folder,
# opens its menus and dialogs with xdotool and photographs each window.
# usage: scripts/manual_screenshots.sh [BUILD_DIR] [DISPLAY_NUMBER]
# Needs Xvfb, xdotool, xwininfo, ImageMagick (import, convert) and python3.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$top/build"}
display=${2:-51}
program=$build/app/quindlemini
out=$top/app/help/images
[ -x "$program" ] || { echo "build the program first: $program" >&2; exit 1; }
for tool in Xvfb xdotool xwininfo import convert; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/home" "$work/data" "$work/run" "$out"
chmod 700 "$work/run"
mkdir -p "$work/drawings"
cp "$top/samples/sample.plt" "$work/drawings/sample.plt"
# A drawing with HP-GL/2 pieces in it, for the input data error dialog.
printf 'IN;SP1;PA0,0;PD4000,0,4000,3000,0,3000,0,0;PU;BP1,"job";PS4000,3000;NP4;MC1,252;PP1;PU;\n' \
  >"$work/drawings/hpgl2.plt"

# The toolbar icons the manual's toolbar table shows, as the program ships them.
if [ -d "$top/app/icons" ]; then
  rm -rf "$out/icons"
  mkdir -p "$out/icons"
  cp "$top/app/icons/"*.svg "$out/icons/"
fi

export HOME=$work/home XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run TMPDIR=$work/run
export DISPLAY=:$display QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
export XDG_CURRENT_DESKTOP=none QT_QPA_PLATFORMTHEME=
Xvfb "$DISPLAY" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

# The id of the visible window whose name matches $1 (an extended regex).
window() {
  for _ in $(seq 100); do
    local id
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "no window named $1" >&2
  return 1
}
# Photographs window $1 into $2.png once the program has settled.
photo() {
  sleep 0.8
  import -window "$1" "$work/shot.png"
  convert "$work/shot.png" -strip "$out/$2.png"
  echo "wrote $out/$2.png"
}
focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; sleep 0.3; }
# The menu the program has open, photographed with the menu bar above it:
# the crop ends a little right of and below the popup (the program's newest
# visible window).
menu_photo() {  # $1 main window, $2 name
  sleep 0.8
  local popup right=760 bottom=560
  popup=$(comm -13 <(echo "$before") \
    <(xdotool search --onlyvisible --pid "$app" 2>/dev/null | sort) | tail -n1)
  if [ -n "$popup" ]; then
    eval "$(xdotool getwindowgeometry --shell "$popup")"
    right=$((X + WIDTH + 40))
    bottom=$((Y + HEIGHT + 24))
  fi
  import -window root "$work/shot.png"
  convert "$work/shot.png" -crop "${right}x${bottom}+0+0" +repage -strip "$out/$2.png"
  echo "wrote $out/$2.png"
}
close_dialog() {  # $1 dialog window
  focus "$1"
  xdotool key Escape
  for _ in $(seq 50); do xwininfo -id "$1" 2>/dev/null | grep -q IsViewable || return 0; sleep 0.1; done
}

"$program" "$work/drawings/sample.plt" &
app=$!
pids+=($app)
main=$(window '^QuindleMini - \[')
xdotool windowmove "$main" 0 0 windowsize "$main" 1100 760
sleep 1
# The drawing window fills the main window (Window, TiledWindow), then shows
# the whole page (Home).
focus "$main"
xdotool key alt+w
sleep 0.4
xdotool key t
sleep 0.5
xdotool key Home
sleep 1
photo "$main" main-window

# The menus of the menu bar, each opened with its Alt key.
for entry in "f file" "d display" "u unit" "t toolbar" "s set" "w window" "h help"; do
  set -- $entry
  focus "$main"
  before=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | sort || true)
  xdotool key "alt+$1"
  menu_photo "$main" "menu-$2"
  xdotool key Escape Escape
done

# The settings dialogs of the Set(&S) menu.
for entry in "n pen-dialog ^SetPen$" "l line-property-dialog ^SetLineProperty$" \
             "g grid-dialog ^SetGrid$" "m mouse-operation-dialog ^SetMouseOperation$" \
             "t text-dialog ^Set Text$"; do
  set -- $entry
  focus "$main"
  xdotool key alt+s
  sleep 0.4
  xdotool key "$1"
  dialog=$(window "$3")
  photo "$dialog" "$2"
  close_dialog "$dialog"
done

# The open dialog, the program's newest window whatever its title.
focus "$main"
before=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | sort || true)
xdotool key alt+f
sleep 0.4
xdotool key o
dialog=
for _ in $(seq 100); do
  dialog=$(comm -13 <(echo "$before") \
    <(xdotool search --onlyvisible --pid "$app" 2>/dev/null | sort) | tail -n1)
  [ -n "$dialog" ] && break
  sleep 0.1
done
[ -n "$dialog" ] || { echo "the open dialog did not appear" >&2; exit 1; }
photo "$dialog" open-dialog
close_dialog "$dialog"

# The input data error dialog after a file with HP-GL/2 pieces, handed over
# by a second start.
"$program" "$work/drawings/hpgl2.plt" || true
if dialog=$(window '^Input data error$'); then
  photo "$dialog" data-error-dialog
  close_dialog "$dialog"
fi

# The archive chooser, for a ZIP archive handed over by a second start.
python3 - "$work/drawings" <<'PY'
import sys, zipfile
folder = sys.argv[1]
with zipfile.ZipFile(folder + "/parts.zip", "w") as z:
    z.write(folder + "/sample.plt", "flange/sample.hgl")
    z.write(folder + "/hpgl2.plt", "flange/frame.hgl")
PY
# (the second start waits for the first to take the file: in the background)
timeout 30 "$program" "$work/drawings/parts.zip" &
pids+=($!)
dialog=$(window '^Open Archive File$')
photo "$dialog" archive-chooser
close_dialog "$dialog"

# Help > AboutVersion.
focus "$main"
xdotool key alt+h
sleep 0.4
xdotool key a
dialog=$(window '^QuindleMini$')
photo "$dialog" about
close_dialog "$dialog"
