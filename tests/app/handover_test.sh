#!/usr/bin/env bash
# Real-window test of the hand-over from a later start: the running program
# survives a hand-over whose open shows a box after the later start has ended;
# a hand-over that comes while a load shows its boxes waits for that load; names
# with trailing blanks and line feeds arrive unchanged; a later start that gets
# no acknowledgement says so and exits 1.
# usage: handover_test.sh PROGRAM SQUATTER
set -u
. "$(dirname "$0")/xvfb_helpers.sh"
squatter=$2

# A hand-over whose load shows the input data error dialog: the later start
# returns at once, and answering the dialog afterwards does not end the program.
start_program "$work/plain.plt"
first=$started
wait_until has_title plain.plt || fail "no window for plain.plt"
timeout 30 "$program" "$work/gl2.plt" || fail "the later start ended with $?"
wait_until has_box "Input data error" || fail "no input data error dialog"
answer_box "Input data error" || fail "cannot answer the dialog"
sleep 1
alive "$first" || fail "the program ended after the dialog was answered"
wait_until has_title gl2.plt || fail "gl2.plt not opened"

# A load that shows the "HPGL Data Error Count=" box; a hand-over while the box
# is up waits until the load and its boxes are done.
timeout 30 "$program" "$work/bad.plt" || fail "the later start ended with $?"
wait_until has_box QuindleMini || fail "no error count box for bad.plt"
timeout 30 "$program" "$work/plain.plt" || fail "the later start during a box ended with $?"
sleep 1
has_title bad.plt || fail "the hand-over ran inside the load of bad.plt"
[ "$(box_count QuindleMini)" -eq 1 ] || fail "more than one box"
answer_box QuindleMini || fail "cannot answer the box"
wait_until has_box "Input data error" || fail "no input data error dialog for bad.plt"
has_title bad.plt || fail "the hand-over ran before the load of bad.plt ended"
answer_box "Input data error" || fail "cannot answer the dialog"
wait_until has_title plain.plt || fail "the waiting hand-over was not carried out"
sleep 0.5
! has_box QuindleMini || fail "a box after the waiting hand-over"
alive "$first" || fail "the program ended"

# Names arrive byte for byte: a trailing blank is kept, a line feed does not cut
# the name. Each has a decoy with the name that a trimmed or cut copy would give.
cp "$work/plain.plt" "$work/trail.hp "
cp "$work/plain.plt" "$work/trail.hp"
timeout 30 "$program" "$work/trail.hp " || fail "the later start ended with $?"
wait_until has_title "trail.hp ]" || fail "trail.hp with its blank not opened"
lf=$'\n'
cp "$work/plain.plt" "$work/line${lf}feed.hp"
cp "$work/plain.plt" "$work/line"
timeout 30 "$program" "$work/line${lf}feed.hp" || fail "the later start ended with $?"
wait_until xdotool search --name 'feed\.hp\]$' >/dev/null ||
  fail "the name with a line feed did not arrive whole"
! xdotool search --name '/line\]$' >/dev/null || fail "the cut name was opened"

# A program on the socket that never answers: the later start reports it and
# exits 1 instead of pretending the file was handed over.
mkdir -m 700 "$work/run2"
"$squatter" "$work/run2/QuindleMini-$desktop" "$work/squatted.log" >/dev/null &
pids+=($!)
wait_until test -S "$work/run2/QuindleMini-$desktop" || fail "squatter did not start"
XDG_RUNTIME_DIR=$work/run2 timeout 30 "$program" "$work/plain.plt" 2>"$work/noanswer.err"
rc=$?
[ $rc -eq 1 ] || fail "a start without acknowledgement ended with $rc"
grep -q "did not acknowledge" "$work/noanswer.err" || fail "no message: $(cat "$work/noanswer.err")"
alive "$first" || fail "the program ended"
echo "hand-over: ok"
