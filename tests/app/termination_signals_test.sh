#!/usr/bin/env bash
# Real-window test of logout, Ctrl+C and a closed terminal: SIGTERM, SIGINT and
# SIGHUP end the program as File > Exit does, so the settings and the toolbar
# layout of the run are saved and the hand-over socket is removed, also while
# a box is open; the program still ends by the signal, as the shell expects.
# usage: termination_signals_test.sh PROGRAM SQUATTER
set -u
. "$(dirname "$0")/xvfb_helpers.sh"

settings_file() { echo "$XDG_DATA_HOME/Kestrune/QuindleMini/QuindleMini.PAR"; }
# The first recent file of the saved settings (line 2, CR LF ends).
first_recent() { sed -n 2p "$(settings_file)" | tr -d '\r'; }

# $1 signal, $2 exit status it gives, $3 file to open, $4 box to wait for (or "").
end_by_signal() {
  export XDG_DATA_HOME=$work/data-$1-$(basename "$3")
  mkdir -p "$XDG_DATA_HOME"
  start_program "$3"
  local pid=$started
  wait_until has_title "$(basename "$3")" || fail "no window for $3"
  if [ -n "$4" ]; then
    wait_until has_box "$4" || fail "no box $4"
  fi
  sleep 0.5
  kill "-$1" "$pid"
  local rc=0
  for _ in $(seq 1 100); do alive "$pid" || break; sleep 0.1; done
  alive "$pid" && fail "SIG$1 did not end the program"
  wait "$pid"
  rc=$?
  [ "$rc" -eq "$2" ] || fail "SIG$1 ended the program with $rc, expected $2"
  [ "$(first_recent)" = "$3" ] || fail "SIG$1: settings not saved (recent file '$(first_recent)')"
  [ -s "$(dirname "$(settings_file)")/ToolBar.par" ] || fail "SIG$1: toolbar layout not saved"
  [ ! -e "$XDG_RUNTIME_DIR/QuindleMini-$desktop" ] || fail "SIG$1 left the socket behind"
}

end_by_signal TERM 143 "$work/plain.plt" ""
end_by_signal INT 130 "$work/plain.plt" ""
end_by_signal HUP 129 "$work/plain.plt" ""
# With the load's boxes still open.
end_by_signal TERM 143 "$work/bad.plt" QuindleMini
end_by_signal HUP 129 "$work/gl2.plt" "Input data error"
echo "termination signals: ok"
