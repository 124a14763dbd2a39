#!/usr/bin/env bash
# A timed game (mode 2) played until its time bank runs dry, on an X display of its own. The game
# is taken up from a saved game at level 1 whose bank holds 12 points, about 14 s of play, and
# left to run: the bank drains in real time, the game ends, the saved game goes, and after the
# camera's flight any key leads to the high-score table. A name is typed and Enter stores it:
# "data/Hiscores.dat" holds 400 bytes, the name and score at rank 5 of the timed table, the
# defaults around it moved down by one, the other table untouched.
#
# usage: TimedGame.sh <game folder> bare|wm [folder to keep the screenshots in]
set -uo pipefail

. "$(dirname "$0")/GameDriver.sh"
begin_on_own_display TimedGame.sh "$@"

fail() {
    echo "FAIL: $*" >&2
    if [ -f "${trace_file:-}" ]; then tr -d '\r' <"$trace_file" | grep -v -e FPS -e loading | tail -20 >&2; fi
    [ -f "$work/out.txt" ] && tail -20 "$work/out.txt" >&2
    exit 1
}

start_display 1024 768 "$desktop"
fresh_game $'[Software\\Quillomar]\nSoundVol=160\nMusicVol=120\nFullscreen=0\nResolution=3\nColor=1\nDesktop=0\nTexture=2\nHelp=0\nWriteDebug=1\nPseudoFullscreen=0\n'
# Level 1 (a bank drains by 0.87 a second there), 12 points in the bank, a score of 650.4 and four
# cubes of four colours on the board.
save=$work/game/data/Save2.dat
printf '%s\r\n' "01/01/26 12:00:00" 2 1 0 " 1.20000000000000E+0001" " 6.50400000000000E+0002" 0 4 \
    1 0 2 2 1 1 5 5 1 2 8 3 1 3 4 7 >"$save"
scores=$work/game/data/Hiscores.dat
run_game
start_game_window

# "New game", the timed mode; with the help page switched off the question about the saved game
# comes at once. The menu takes keys once a page has settled; the question answers only to the
# mouse, and a loaded machine may drop a click that comes before the frame that saw the pointer
# arrive, so "Continue" is clicked until the question has gone.
xdotool key Return
sleep 1.5
xdotool key Down
sleep 0.5
xdotool key Return
wait_state game 1 30
sleep 1.5
# The question's title, bright letters on the dark box, and the same place later.
title=300x40+140+195
shot question
convert "$work/question.png" -crop "$title" +repage "$work/question-title.png"
question_gone() {
    shot now
    local differ
    convert "$work/now.png" -crop "$title" +repage "$work/now-title.png"
    differ=$(compare -metric AE -fuzz 15% "$work/question-title.png" "$work/now-title.png" null: 2>&1)
    [ "${differ%%.*}" -gt 2000 ]
}
for try in 1 2 3; do
    xdotool mousemove --window "$win" 302 274
    sleep 0.5
    xdotool click 1
    continued=$SECONDS
    if wait_for 5 question_gone; then break; fi
    [ "$try" != 3 ] || fail "the question about the saved game stayed after three clicks on Continue"
done

# Nothing more is done: the bank runs dry, which ends the game and removes its save.
wait_for 60 eval '[ ! -e "$save" ]' || fail "the timed game did not end"
played=$((SECONDS - continued))
[ "$played" -ge 8 ] || fail "the game ended after $played s, before its bank could run dry"
wait_state gameover 1 60
sleep 1
shot gameover
not_blank gameover
[ ! -e "$scores" ] || fail "the high scores were written before the name was entered"

# Any key leads on; it is not part of the name.
xdotool key space
wait_state hiscores 1 15
sleep 1
xdotool type --delay 150 'run out 7'
xdotool key Return
wait_for 10 test -e "$scores" || fail "Enter did not store the name"
shot hiscores
not_blank hiscores
[ "$(stat -c %s "$scores")" = 400 ] || fail "the high-score file holds $(stat -c %s "$scores") bytes, not 400"

# entry <table> <rank>: "NAME|score" of an entry of the file: 20 bytes each, a length byte, 15
# name bytes and a little-endian signed 32-bit score.
entry() {
    local at=$((($1 - 1) * 200 + ($2 - 1) * 20)) length
    length=$(od -An -tu1 -j "$at" -N1 "$scores" | tr -d ' ')
    printf '%s|%s\n' "$(dd if="$scores" bs=1 skip=$((at + 1)) count="$length" status=none)" \
        "$(od -An -td4 --endian=little -j $((at + 16)) -N4 "$scores" | tr -d ' ')"
}
for rank in 1 2 3 4 5 6 7 8 9 10; do
    expected="Anonymous|$((1100 - 100 * rank))"
    [ "$(entry 1 "$rank")" = "$expected" ] || fail "table 1 rank $rank holds $(entry 1 "$rank"), not $expected"
    if [ "$rank" -lt 5 ]; then
        expected="Anonymous|$((1100 - 100 * rank))"
    elif [ "$rank" = 5 ]; then
        expected="RUN OUT 7|650"
    else
        expected="Anonymous|$((1200 - 100 * rank))"
    fi
    [ "$(entry 2 "$rank")" = "$expected" ] || fail "table 2 rank $rank holds $(entry 2 "$rank"), not $expected"
done

# Enter again leaves the table for the main menu; the program then ends from the menu.
xdotool key Return
wait_state menu 2 15
sleep 1.5
quit_from_menu
[ "$(entry 2 5)" = "RUN OUT 7|650" ] || fail "leaving the table lost the name"
echo "timed game: the bank ran dry after $played s, the name and score stored at rank 5 of the timed table"
