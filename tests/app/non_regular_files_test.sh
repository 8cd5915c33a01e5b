#!/usr/bin/env bash
# Real-window test of files that are not regular files: a FIFO or an endless
# device named as the plot file is an open error reported in a box, not a
# window that hangs; a FIFO as the settings file or as a pen table is an
# unreadable file, not a start that never shows a window.
# usage: non_regular_files_test.sh PROGRAM SQUATTER
set -u
. "$(dirname "$0")/xvfb_helpers.sh"
init=$(dirname "$program")/Init

# A FIFO without a writer as the plot file on the command line.
mkfifo "$work/pipe.plt"
start_program "$work/pipe.plt"
first=$started
wait_until has_box QuindleMini || fail "no open error for the FIFO"
answer_box QuindleMini || fail "cannot answer the box"
sleep 0.5
! has_box QuindleMini || fail "a second box"
timeout 30 "$program" "$work/plain.plt" || fail "the later start ended with $?"
wait_until has_title plain.plt || fail "the program does not answer after the FIFO"

# An endless device handed over.
timeout 30 "$program" /dev/zero || fail "the later start ended with $?"
wait_until has_box QuindleMini || fail "no open error for /dev/zero"
answer_box QuindleMini || fail "cannot answer the box"
timeout 30 "$program" "$work/gl2.plt" || fail "the later start ended with $?"
wait_until has_box "Input data error" || fail "the program does not answer after /dev/zero"
answer_box "Input data error"
wait_until has_title gl2.plt || fail "gl2.plt not opened"
alive "$first" || fail "the program ended"

# A FIFO as the settings file: reported as unreadable, and the window comes up.
export XDG_DATA_HOME=$work/data-fifo-settings
folder=$XDG_DATA_HOME/Kestrune/QuindleMini
mkdir -p "$folder"
cp "$init"/* "$folder"/
rm "$folder/QuindleMini.PAR"
mkfifo "$folder/QuindleMini.PAR"
cp "$work/plain.plt" "$work/settings-fifo.plt"
start_program /n "$work/settings-fifo.plt"
wait_until has_box QuindleMini || fail "the unreadable settings file was not reported"
answer_box QuindleMini || fail "cannot answer the box"
wait_until has_title settings-fifo.plt || fail "no window with a FIFO as settings file"

# FIFOs as the pen tables: the default pens, and the window comes up.
export XDG_DATA_HOME=$work/data-fifo-pens
folder=$XDG_DATA_HOME/Kestrune/QuindleMini
mkdir -p "$folder"
cp "$init"/* "$folder"/
for n in 1 2 3 4 5; do
  rm "$folder/PenTable$n.par"
  mkfifo "$folder/PenTable$n.par"
done
cp "$work/plain.plt" "$work/pens-fifo.plt"
start_program /n "$work/pens-fifo.plt"
wait_until has_title pens-fifo.plt || fail "no window with FIFOs as pen tables"
echo "special files: ok"
