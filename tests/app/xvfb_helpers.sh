# Shared part of the real-window tests: sourced by each test script with the
# program as its first argument. Re-runs the script inside xvfb-run (exit 77,
# skipped, when the X tools are missing), gives it a private work folder with
# its own settings and runtime folders, and offers helpers to start the program,
# wait for its windows and answer its boxes.
# QM_XVFB_SERVER picks the first display number xvfb-run tries (default 99).

program=$1
if [ -z "${QM_INSIDE_XVFB:-}" ]; then
  for tool in xvfb-run xwininfo xdotool; do
    command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
  done
  export QM_INSIDE_XVFB=1
  exec xvfb-run -a -n "${QM_XVFB_SERVER:-99}" -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
    bash "$0" "$@"
fi

work=$(mktemp -d)
mkdir -p "$work/data" "$work/run" "$work/tmp"
chmod 700 "$work/run" "$work/tmp"
export XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run TMPDIR=$work/tmp QT_QPA_PLATFORM=xcb
# Freed memory is filled with a pattern, so that a use after free ends the
# program at once instead of now and then.
export MALLOC_PERTURB_=165
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The display as the program names its socket: ":99.0" and ":99" are one desktop.
desktop=$DISPLAY
[[ $desktop =~ ^(.*:[0-9]+)\.[0-9]+$ ]] && desktop=${BASH_REMATCH[1]}

fail() {
  echo "FAILED: $*"
  echo "windows:"
  window_lines
  for f in "$work"/stderr.*; do
    [ -s "$f" ] && { echo "standard error of start ${f##*.}:"; tail -5 "$f"; }
  done
  exit 1
}

# Starts the program in the background with the given arguments; its pid is
# left in $started and the file with its standard error in $started_err.
# Signals come with their default actions, as from a desktop launcher.
start_program() {
  started_err=$work/stderr.${#pids[@]}
  env --default-signal=INT,TERM,HUP "$program" "$@" 2>"$started_err" &
  started=$!
  pids+=("$started")
}

# The program's windows (those with its window class), one a line.
window_lines() { xwininfo -root -tree | grep -F '("quindlemini" "QuindleMini")'; }
# The titles of the main windows that show a file.
titles() { window_lines | sed -n 's/^ *0x[0-9a-f]* "\(QuindleMini - \[.*\]\)": .*/\1/p'; }
has_title() { titles | grep -qF -- "$1"; }
# How many windows named exactly $1 are on the screen (the program's hidden
# window of the same name is never mapped).
box_count() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l
}
has_box() { [ "$(box_count "$1")" -ge 1 ]; }

# Runs the command given until it succeeds, for at most 15 seconds.
wait_until() {
  for _ in $(seq 1 150); do "$@" && return 0; sleep 0.1; done
  return 1
}

# Presses Return in the visible window named exactly $1 (its default button)
# until that window has gone; a key sent while it was still being set up is
# pressed again.
answer_box() {
  local w
  w=$(xdotool search --onlyvisible --name "^$1\$" | head -1)
  [ -n "$w" ] || return 1
  for _ in 1 2 3 4 5; do
    xdotool windowfocus --sync "$w" 2>/dev/null && xdotool key Return
    for _ in $(seq 1 20); do
      xwininfo -id "$w" 2>/dev/null | grep -q IsViewable || return 0
      sleep 0.1
    done
  done
  return 1
}

alive() { kill -0 "$1" 2>/dev/null; }

# Four small plot files: a plain drawing, one with HP-GL/2 pieces (the input data
# error dialog follows its load), one with bad numbers (a "HPGL Data Error
# Count=" box, then the input data error dialog), and the sample drawing.
printf 'IN;SP1;PA0,0;PD4000,0,4000,3000,0,3000,0,0;' >"$work/plain.plt"
printf 'IN;IR;SP1;PA0,0;PD1000,1000;' >"$work/gl2.plt"
printf 'IN;SP1;PA1,x;PD100,100;' >"$work/bad.plt"
