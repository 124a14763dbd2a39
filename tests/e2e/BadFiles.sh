#!/usr/bin/env bash
# Damaged files as a player may have them, each in a fresh game folder on an X display of the
# script's own. Each is met with its sound behaviour and a message that names the problem, and
# nothing on disk changes but the trace and what the case itself must write:
#  - a saved game cut off in the middle: "Continue" says it cannot be read, and why, and a new
#    game is played instead; the file stays as it was;
#  - a truncated high-score file: the game starts, the trace says it is short, the table shows
#    what the file holds and the defaults after it, and leaving the table writes all 400 bytes;
#  - a settings store with a value that is not a number: the box names the value, the launcher
#    opens with what was read before it, the game starts with those, and closing it writes a
#    whole set again;
#  - a levels file with a mistyped number: loading stops with the file, line and text in the
#    message, and the program ends with status 1.
#
# usage: BadFiles.sh <game folder> bare|wm [folder to keep the screenshots in]
set -uo pipefail

. "$(dirname "$0")/GameDriver.sh"
begin_on_own_display BadFiles.sh "$@"

fail() {
    echo "FAIL (${part:-}): $*" >&2
    if [ -f "${trace_file:-}" ]; then tr -d '\r' <"$trace_file" | grep -v -e FPS -e loading | tail -20 >&2; fi
    [ -f "$work/out.txt" ] && tail -20 "$work/out.txt" >&2
    exit 1
}

windowed=$'[Software\\Quillomar]\nSoundVol=160\nMusicVol=120\nFullscreen=0\nResolution=3\nColor=1\nDesktop=0\nTexture=2\nHelp=0\nWriteDebug=1\nPseudoFullscreen=0\n'

# snapshot <name>: a checksum of every file of the game folder and the settings, but the trace.
snapshot() {
    (cd "$work" && find game cfg -type f ! -path game/debug.txt -print0 | sort -z | xargs -0 sha256sum) \
        >"$work/$1.sums"
}
# unchanged_but <file...>: no file has come, gone or changed since the snapshot "before", but
# those named (relative to $work).
unchanged_but() {
    snapshot after
    local skip=' (game/debug.txt'
    for f in "$@"; do skip+="|$f"; done
    diff <(grep -Ev "${skip})\$" "$work/before.sums") <(grep -Ev "${skip})\$" "$work/after.sums") >&2 ||
        fail "files changed on disk"
}
# ended_with <status>: the program has ended, with that exit status.
ended_with() {
    wait_for 30 eval '! kill -0 "$pid" 2>/dev/null' || fail "the program did not end"
    wait "$pid"
    local status=$?
    pid=
    [ "$status" = "$1" ] || fail "the program ended with status $status, not $1"
}
close_game() {
    kill -TERM "$pid" # reaches the game as the window's close
    ended_with 0
}

start_display 1024 768 "$desktop"

# ---- A saved game cut off in its third cube ------------------------------------------------------
part="saved game"
fresh_game "$windowed"
save=$work/game/data/Save1.dat
printf '%s\r\n' "01/01/26 12:00:00" 1 4 0 " 2.10000000000000E+0002" " 1.86000000000000E+0003" 2 3 \
    1 0 2 2 1 3 5 5 1 >"$save"
snapshot before
run_game
start_game_window
xdotool key Return # "New game"
sleep 1.5
xdotool key Return # the classic mode; the question about the saved game follows
wait_state game 1 30
sleep 1.5
shot question
# The question answers only to the mouse, and a loaded machine may drop a click that comes before
# the frame that saw the pointer arrive: "Continue" is clicked until the game has answered.
for try in 1 2 3; do
    xdotool mousemove --window "$win" 302 274
    sleep 0.5
    xdotool click 1
    wait_for 5 has_trace " LoadGame rejected" && break
    [ "$try" != 3 ] || fail "three clicks on Continue did not answer the question"
done
has_trace " LoadGame rejected data/Save1.dat line 18: value expected, found the end of the file" ||
    fail "the trace does not say what is wrong with the saved game"
told "Saved game not loaded: Your saved game could not be read:"
sleep 2
# The box had the focus while it was open; answering it is no switch away from the game.
! has_trace " Application deactivated" || fail "answering the message box deactivated the game"
shot new-game
not_blank new-game
lit_room new-game
has_trace " gsGame  FPS:" || fail "no new game is played"
close_game
unchanged_but

# ---- A high-score file cut off in its eighth entry -----------------------------------------------
part="high scores"
fresh_game "$windowed"
scores=$work/game/data/Hiscores.dat
# Both tables: "PLAYER 1" to "PLAYER 10" with 5000 down to 500; 20 bytes an entry, a length, 15
# name bytes and a little-endian score.
for i in $(seq 0 19); do
    rank=$((i % 10 + 1))
    name="PLAYER $rank" score=$((5500 - 500 * rank))
    printf "\\$(printf %03o ${#name})%-15s\\$(printf %03o $((score & 255)))\\$(printf %03o $((score >> 8 & 255)))\0\0" \
        "$name"
done >"$work/full.dat"
[ "$(stat -c %s "$work/full.dat")" = 400 ] || fail "the prepared file is not 400 bytes"
head -c 150 "$work/full.dat" >"$scores"
snapshot before
run_game
start_game_window
has_trace " High scores file data/Hiscores.dat is short (150 of 400 bytes)" ||
    fail "the trace does not say that the high-score file is short"
xdotool key Down Down # "High scores"
sleep 0.5
xdotool key Return
wait_state hiscores 1 15
sleep 1.5
shot short-table
not_blank short-table
xdotool key Return # leaves the table, which stores it
wait_state menu 2 15
wait_for 10 eval '[ "$(stat -c %s "$scores")" = 400 ]' || fail "leaving the table did not store 400 bytes"
entry() { # entry <table> <rank>: "NAME|score"
    local at=$((($1 - 1) * 200 + ($2 - 1) * 20)) length
    length=$(od -An -tu1 -j "$at" -N1 "$scores" | tr -d ' ')
    printf '%s|%s\n' "$(dd if="$scores" bs=1 skip=$((at + 1)) count="$length" status=none)" \
        "$(od -An -td4 --endian=little -j $((at + 16)) -N4 "$scores" | tr -d ' ')"
}
# The file's 150 bytes came through whole: ranks 1 to 7, and rank 8's length and name, whose
# score (bytes 156 to 159) is the default's; the rest are the defaults.
cmp -n 150 "$work/full.dat" "$scores" || fail "the stored table lost what the file held"
for rank in $(seq 1 10); do
    case $rank in
    [1-7]) expected="PLAYER $rank|$((5500 - 500 * rank))" ;;
    8) expected="PLAYER 8|300" ;;
    *) expected="Anonymous|$((1100 - 100 * rank))" ;;
    esac
    [ "$(entry 1 "$rank")" = "$expected" ] || fail "classic rank $rank holds $(entry 1 "$rank"), not $expected"
    expected="Anonymous|$((1100 - 100 * rank))"
    [ "$(entry 2 "$rank")" = "$expected" ] || fail "timed rank $rank holds $(entry 2 "$rank"), not $expected"
done
sleep 1
quit_from_menu
unchanged_but game/data/Hiscores.dat

# ---- A settings store with a volume that is not a number ------------------------------------------
part="settings"
fresh_game $'[Software\\Quillomar]\nSoundVol=loud\nMusicVol=90\nFullscreen=0\nResolution=3\nColor=1\nDesktop=0\nTexture=4\nHelp=0\nWriteDebug=1\nPseudoFullscreen=0\n'
snapshot before
run_game
told "Invalid data type for 'SoundVol'"
# The launcher, then the game in the window that was read before the bad value.
start_game_window
[ "$WIDTH" = 800 ] && [ "$HEIGHT" = 600 ] || fail "the game window is ${WIDTH}x${HEIGHT}, not the stored 800x600"
shot menu-after-settings
not_blank menu-after-settings
quit_from_menu
# Closing wrote a whole set: what was read, and the defaults from the bad value on.
for line in Fullscreen=0 Resolution=3 Color=1 Desktop=0 Texture=4 SoundVol=160 MusicVol=120 Help=1 \
    WriteDebug=0 PseudoFullscreen=0; do
    grep -qx "$line" "$settings" || fail "the settings written at the end lack $line"
done
unchanged_but cfg/Quillomar/settings.ini

# ---- A levels file with a mistyped number ------------------------------------------------------------
part="levels"
fresh_game "$windowed"
levels=$work/game/data/Levels.dat
# Line 113, level 7's time bank: a letter O in place of a zero.
sed -i '113s/0/O/' "$levels"
bad=$(sed -n 113p "$levels" | tr -d '\r')
[ "$bad" != "$(sed -n 113p "$game_dir/data/Levels.dat" | tr -d '\r')" ] || fail "the levels file was not changed"
snapshot before
run_game
xdotool search --sync --onlyvisible --pid "$pid" >/dev/null
sleep 1
xdotool windowfocus --sync "$(xdotool search --onlyvisible --pid "$pid" | head -1)" 2>/dev/null || true
xdotool key Return # "Start Game"
message="data/Levels.dat line 113: number expected, found \"$bad\""
told "$message"
ended_with 1
grep -qF " $message" "$trace_file" || fail "the trace does not say what is wrong with the levels file"
! grep -qF " ... Loading finished" "$trace_file" || fail "loading finished with a bad levels file"
unchanged_but

echo "bad files: saved game, high scores, settings and levels each reported and handled; nothing else changed"
