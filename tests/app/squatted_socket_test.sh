#!/usr/bin/env bash
# Real-window test of the hand-over socket against squatting: a socket of
# another user at the old shared name or moved into the runtime folder, a
# shared fallback folder taken by another user, and a plain file in the
# socket's place never keep the program from showing its window nor learn the
# file names it opens; a start on another display opens its own window.
# The cases with another user need root and setpriv and are skipped otherwise.
# usage: squatted_socket_test.sh PROGRAM SQUATTER
set -u
. "$(dirname "$0")/xvfb_helpers.sh"
squatter=$2
uid=$(id -u)

other_user=()
if [ "$uid" -eq 0 ] && command -v setpriv >/dev/null; then
  other_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
  echo "not root or no setpriv: the cases with another user are skipped"
fi
# A temporary folder shared by every user, like /tmp.
shared=$work/shared
chmod 711 "$work" # others may pass through to the shared folder only
mkdir -p "$shared"
chmod 1777 "$shared"

# Starts the squatter as another user on $1, logging to $2.
squat() {
  "${other_user[@]}" "$squatter" "$1" "$2" >/dev/null &
  pids+=($!)
  wait_until test -S "$1" || fail "squatter did not start on $1"
}

if [ ${#other_user[@]} -gt 0 ]; then
  # Another user listens under the name in the shared temporary folder that
  # earlier versions used: it neither stops the window nor hears of the file.
  squat "$shared/QuindleMiniMUnique-$uid" "$shared/old-name.log"
  TMPDIR=$shared start_program "$work/plain.plt"
  wait_until has_title plain.plt || fail "no window while the old name is squatted"
  [ ! -s "$shared/old-name.log" ] || fail "the squatter received: $(cat "$shared/old-name.log")"

  # Another user's socket moved into this user's runtime folder: not handed
  # over to, replaced by the program's own.
  mkdir -m 700 "$work/run-moved"
  squat "$shared/moved.sock" "$shared/moved.log"
  mv "$shared/moved.sock" "$work/run-moved/QuindleMini-$desktop"
  cp "$work/plain.plt" "$work/moved.plt"
  XDG_RUNTIME_DIR=$work/run-moved start_program "$work/moved.plt"
  moved=$started
  wait_until has_title moved.plt || fail "no window while another user's socket sits in place"
  [ ! -s "$shared/moved.log" ] || fail "the squatter received: $(cat "$shared/moved.log")"
  cp "$work/plain.plt" "$work/moved2.plt"
  XDG_RUNTIME_DIR=$work/run-moved timeout 30 "$program" "$work/moved2.plt" ||
    fail "the later start ended with $?"
  wait_until has_title moved2.plt || fail "no hand-over to the program that took the socket over"
  has_title moved.plt && fail "moved2.plt opened in a new window"
  [ ! -s "$shared/moved.log" ] || fail "the squatter received: $(cat "$shared/moved.log")"
  alive "$moved" || fail "the program ended"

  # No runtime folder, and the fallback folder in the shared temporary folder
  # belongs to another user: the program says so and runs on its own.
  mkdir -m 777 "$shared/QuindleMini-$uid"
  chown 65534:65534 "$shared/QuindleMini-$uid"
  cp "$work/plain.plt" "$work/nofolder.plt"
  env -u XDG_RUNTIME_DIR TMPDIR="$shared" bash -c 'exec "$0" "$@"' "$program" \
    "$work/nofolder.plt" 2>"$work/nofolder.err" &
  pids+=($!)
  wait_until has_box QuindleMini || fail "the taken fallback folder was not reported"
  grep -q "not private" "$work/nofolder.err" || fail "no message: $(cat "$work/nofolder.err")"
  answer_box QuindleMini || fail "cannot answer the box"
  wait_until has_title nofolder.plt || fail "no window after the report"
  [ -z "$(ls -A "$shared/QuindleMini-$uid")" ] || fail "something was put in the taken folder"
fi

# A plain file where the socket goes (this user's own folder): replaced by the
# socket, and later starts are handed over.
mkdir -m 700 "$work/run-file"
echo "not a socket" >"$work/run-file/QuindleMini-$desktop"
cp "$work/plain.plt" "$work/file1.plt"
cp "$work/plain.plt" "$work/file2.plt"
XDG_RUNTIME_DIR=$work/run-file start_program "$work/file1.plt"
wait_until has_title file1.plt || fail "no window with a plain file on the socket's name"
XDG_RUNTIME_DIR=$work/run-file timeout 30 "$program" "$work/file2.plt" ||
  fail "the later start ended with $?"
wait_until has_title file2.plt || fail "no hand-over after the plain file was replaced"
has_title file1.plt && fail "file2.plt opened in a window of its own"

# A start on another display is not handed to the program on this one.
command -v Xvfb >/dev/null || { echo "no Xvfb for a second display: that case is skipped"; exit 0; }
Xvfb -displayfd 5 -screen 0 800x600x24 -nolisten tcp -noreset 5>"$work/display2" 2>/dev/null &
pids+=($!)
wait_until test -s "$work/display2" || fail "no second display"
second=:$(cat "$work/display2")
cp "$work/plain.plt" "$work/other-display.plt"
XDG_RUNTIME_DIR=$work/run-file DISPLAY=$second start_program "$work/other-display.plt"
on_second() { DISPLAY=$second xwininfo -root -tree | grep -qF 'other-display.plt'; }
wait_until on_second || fail "no window on the second display"
has_title other-display.plt && fail "the start on the second display was handed to the first"
has_title file2.plt || fail "the program on the first display changed"
echo "squatted socket: ok"
