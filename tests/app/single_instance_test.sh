#!/usr/bin/env bash
# Real-window test of the single-instance hand-over under Xvfb: a second start
# with another file hands it to the first instance (its title changes) and
# ends; "/n" starts a second, independent window. Exits 77 (skipped) when
# xvfb-run or the X tools are missing.
set -u
program=$1
sample=$2
command -v xvfb-run >/dev/null && command -v xwininfo >/dev/null || exit 77

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$sample" "$work/first.plt"
cp "$sample" "$work/second.plt"
cp "$sample" "$work/third.plt"
mkdir -p "$work/data" "$work/tmp"
chmod 700 "$work/tmp"

cat >"$work/run.sh" <<'INNER'
set -u
program=$1; work=$2
export XDG_DATA_HOME=$work/data TMPDIR=$work/tmp XDG_RUNTIME_DIR=$work/tmp QT_QPA_PLATFORM=xcb
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; }
trap cleanup EXIT
titles() { xwininfo -root -tree | grep -o '"QuindleMini - \[[^]]*\]"'; }
wait_title() {  # $1 = text the title must contain, $2 = count wanted
  for _ in $(seq 1 100); do
    [ "$(titles | grep -c -- "$1")" -ge "${2:-1}" ] && return 0
    sleep 0.1
  done
  echo "no window titled with $1"; titles; return 1
}
"$program" "$work/first.plt" & pids+=($!)
wait_title first.plt || exit 1
# The second start hands its file over and ends.
timeout 20 "$program" "$work/second.plt"
rc=$?
[ $rc -eq 0 ] || { echo "second start ended with $rc"; exit 1; }
wait_title second.plt || exit 1
[ "$(titles | wc -l)" -eq 1 ] || { echo "more than one main window"; titles; exit 1; }
# "/n" starts an independent instance.
"$program" /n "$work/third.plt" & pids+=($!)
wait_title third.plt || exit 1
[ "$(titles | wc -l)" -eq 2 ] || { echo "expected two main windows"; titles; exit 1; }
kill -0 "${pids[1]}" || { echo "the /n instance ended"; exit 1; }
echo "single instance hand-over: ok"
INNER
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$work/run.sh" "$program" "$work"
