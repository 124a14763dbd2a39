#!/bin/sh
# Plays the real game in an X display, bare or under openbox: starts it from the launcher, waits
# for the menu, starts a game of mode 1 with the keyboard, moves a cube with the mouse and one
# with the keys, pauses with Escape, leaves to the main menu (which saves the game), takes the
# game up again through the continue question and ends the program from the menu. Checks the
# trace, the saved game against the board on the screen before and after, the settings and that
# the screens of menu and game show pictures.
# Usage: play.sh <game folder> [folder to keep the screenshots in] [wm]
# With "wm" it plays on a display of its own under openbox; else on the display it is given.
set -eu

GAME_DIR=$1
KEEP=${2:-}
if [ "${3:-}" = wm ] && [ -z "${PLAY_UNDER_WM:-}" ]; then
    exec xvfb-run -a -s '-screen 0 1024x768x24 -noreset' sh -c '
        openbox --sm-disable >/dev/null 2>&1 &
        n=0
        until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
            n=$((n + 1)); [ "$n" -le 150 ] || { echo "FAIL: openbox did not start" >&2; exit 1; }
            sleep 0.2
        done
        PLAY_UNDER_WM=1 sh "$0" "$@"' "$0" "$@"
fi
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s '-screen 0 1024x768x24 -noreset' sh "$0" "$@"
fi
# focus <window>: a window manager gives the focus on request; a bare display takes it directly.
focus() { xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1" 2>/dev/null || true; }

WORK=$(mktemp -d)
PID=
cleanup() {
    if [ -n "$PID" ] && kill -0 "$PID" 2>/dev/null; then
        kill "$PID"
        wait "$PID" || true
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -f "$WORK/game/debug.txt" ]; then tr -d '\r' < "$WORK/game/debug.txt" | grep -v -e FPS -e loading | tail -12 >&2; fi
    exit 1
}

# The game folder is copied, so the build's folder stays clean.
cp -r "$GAME_DIR" "$WORK/game"
rm -f "$WORK/game/debug.txt" "$WORK/game/data/Save1.dat" "$WORK/game/data/Save2.dat" "$WORK/game/data/Hiscores.dat"
mkdir -p "$WORK/cfg/Quillomar"
printf '[Software\\Quillomar]\nSoundVol=160\nMusicVol=120\nFullscreen=0\nResolution=3\nColor=1\nDesktop=0\nTexture=2\nHelp=0\nWriteDebug=1\nPseudoFullscreen=0\n' \
    > "$WORK/cfg/Quillomar/settings.ini"

cd "$WORK/game"
# In the sanitizer build memory errors still stop the program; leaks are the unit tests' job
# (SDL unloads the GL driver at exit, whose records the leak check can no longer attribute).
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
XDG_CONFIG_HOME="$WORK/cfg" SDL_AUDIODRIVER=dummy VELTRANE_SEED=20261207 ./veltrane > "$WORK/out.log" 2>&1 &
PID=$!

trace() { if [ -f debug.txt ]; then tr -d '\r' < debug.txt; fi; }
# wait_trace <text> <seconds>
wait_trace() {
    n=0
    while ! trace | grep -qF -- "$1"; do
        kill -0 "$PID" 2>/dev/null || fail "the program ended before \"$1\""
        n=$((n + 1))
        [ "$n" -le $(($2 * 5)) ] || fail "no \"$1\" in the trace after $2 s"
        sleep 0.2
    done
}
# The launcher comes first: "Start Game" is its default button.
xdotool search --sync --onlyvisible --pid "$PID" > /dev/null
sleep 1
LAUNCHER=$(xdotool search --onlyvisible --pid "$PID" | head -1)
[ -n "$LAUNCHER" ] || fail "no launcher"
focus "$LAUNCHER"
sleep 0.5
xdotool key Return
wait_trace " Main form created" 30
wait_trace " ... Loading finished" 240

WIN=$(xdotool search --sync --onlyvisible --pid "$PID" | head -1)
[ -n "$WIN" ] || fail "no window"
focus "$WIN"
# The drawing area's corner on the screen: under a frame xdotool's position counts the frame.
eval "$(xwininfo -id "$WIN" | awk '/Absolute upper-left X/ { print "X=" $NF } /Absolute upper-left Y/ { print "Y=" $NF }
                                 /^ *Width:/ { print "WIDTH=" $NF } /^ *Height:/ { print "HEIGHT=" $NF }')"
[ "$WIDTH" = 800 ] && [ "$HEIGHT" = 600 ] || fail "window is ${WIDTH}x${HEIGHT}"
sleep 2

# shot <name>: the window's picture as $WORK/<name>.png
shot() {
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$WORK/$1.png"
    if [ -n "$KEEP" ]; then cp "$WORK/$1.png" "$KEEP/"; fi
}
# not_blank <name>: the picture has real contrast
not_blank() {
    sd=$(convert "$WORK/$1.png" -colorspace Gray -format '%[fx:standard_deviation]' info:)
    awk -v sd="$sd" 'BEGIN { exit !(sd > 0.03) }' || fail "$1 screen is blank (deviation $sd)"
}
# look <name>: the board read from that shot from now on (the brightest channel of each pixel)
look() {
    convert "$WORK/$1.png" -separate -evaluate-sequence Max -depth 8 "gray:$WORK/board.raw"
}
# brightness <x> <y>: 0..255, the brightest channel of the pixel in the last shot looked at
brightness() {
    od -An -tu1 -j $(($2 * 800 + $1)) -N1 "$WORK/board.raw" | tr -d ' '
}

shot menu
not_blank menu

# "New game", then game mode 1; the menu waits a moment after each page change.
xdotool key Return
sleep 1.5
xdotool key Return
sleep 4
shot board
not_blank board
look board
diff=$(compare -metric AE "$WORK/menu.png" "$WORK/board.png" null: 2>&1 || true)
[ "${diff%%.*}" -gt 50000 ] || fail "the game screen looks like the menu ($diff pixels differ)"

# The board's cells in window pixels: column c, row r (0..8 from the top left).
cx() { echo $((79 + $1 * 554 / 10)); }
cy() { echo $((64 + $1 * 556 / 10)); }
# A cell holds a grown cube when its centre and the four points around it are bright; it is
# free when they are all dark.
full() {
    x=$(cx "$1"); y=$(cy "$2")
    for p in "$x $y" "$((x - 14)) $y" "$((x + 14)) $y" "$x $((y - 14))" "$x $((y + 14))"; do
        [ "$(brightness $p)" -gt 120 ] || return 1
    done
}
empty() {
    x=$(cx "$1"); y=$(cy "$2")
    for p in "$x $y" "$((x - 14)) $y" "$((x + 14)) $y" "$x $((y - 14))" "$x $((y + 14))"; do
        [ "$(brightness $p)" -lt 100 ] || return 1
    done
}
# find_move: a grown cube beside a free cell on the board looked at; sets FROM and TO ("c r").
find_move() {
    FROM= TO=
    for r in 0 1 2 3 4 5 6 7 8; do
        for c in 0 1 2 3 4 5 6 7 8; do
            [ -z "$FROM" ] || break
            full "$c" "$r" || continue
            for n in "$((c - 1)) $r" "$((c + 1)) $r" "$c $((r - 1))" "$c $((r + 1))"; do
                set -- $n
                [ "$1" -ge 0 ] && [ "$1" -le 8 ] && [ "$2" -ge 0 ] && [ "$2" -le 8 ] || continue
                if empty "$1" "$2"; then FROM="$c $r"; TO="$1 $2"; break; fi
            done
        done
    done
    [ -n "$FROM" ] || fail "no cube with a free neighbour found on the board"
}
# board_seen: the board looked at, row by row from the top left: F a grown cube, . a free cell,
# ? neither (a cube still growing, an announced one).
board_seen() {
    for r in 0 1 2 3 4 5 6 7 8; do
        for c in 0 1 2 3 4 5 6 7 8; do
            if full "$c" "$r"; then printf F; elif empty "$c" "$r"; then printf .; else printf '?'; fi
        done
    done
}
# board_saved <save file>: the same from a saved game; its cubes are (arrived flag, colour,
# column, row) from the eighth line on, column 9 on the left and row 9 at the top.
board_saved() {
    tr -d '\r ' < "$1" | awk 'NR == 8 { n = $1 } NR > 8 && NR <= 8 + 4 * n { v[(NR - 9) % 4] = $1
            if ((NR - 9) % 4 == 3) cell[(9 - v[3]) * 9 + 9 - v[2]] = v[0] ? "F" : "?" }
        END { for (i = 0; i < 81; ++i) printf "%s", (i in cell) ? cell[i] : "." }'
}
# same_board <seen> <saved> [cubes that may be gone]: no cube on the screen where the save has a
# free cell and none missing where it has a grown one (but the number given); a cube caught in a
# twitch may read as neither, three at most.
same_board() {
    awk -v a="$1" -v b="$2" -v gone="${3:-0}" 'BEGIN { for (i = 1; i <= 81; ++i) { s = substr(b, i, 1); t = substr(a, i, 1)
            if (s == "?" || t == s) continue
            if (t == "?") { if (++unsure > 3) exit 1 } else if (t != "." || ++missing > gone) exit 1 } }'
}
find_move
# Select the cube, then click the free cell; a loaded machine may drop a click that comes before
# the frame that saw the pointer arrive, so the pair is tried again (after a right click on the
# free cell, which ends any selection) until the cube is seen on the cell.
arrived=
for try in 1 2 3; do
    set -- $FROM
    xdotool mousemove --window "$WIN" "$(cx "$1")" "$(cy "$2")"
    sleep 0.5
    xdotool click 1
    sleep 1
    set -- $TO
    TX=$(cx "$1") TY=$(cy "$2")
    xdotool mousemove --window "$WIN" "$TX" "$TY"
    sleep 0.5
    xdotool click 1
    sleep 0.3
    shot move
    for i in 1 2 3 4 5 6 7 8 9 10; do
        sleep 1
        shot moved
        look moved
        if full "$@"; then arrived=1; break; fi
    done
    [ -z "$arrived" ] || break
    xdotool click 3
    sleep 1
done
[ -n "$arrived" ] || fail "the cube did not arrive on the cell $TO (from $FROM)"
MOUSE_MOVE="$FROM to $TO"

# Then a cube moved by keyboard. The key cursor stands where the mouse last hovered, on the cell
# just filled; the arrows walk it to a cube, Enter selects, one more step and Space sends it.
# Keys that come while the new turn's cubes grow are dropped, so the walk waits for a quiet
# board and the pair is tried again (Backspace lets a selection go) until the cube is seen there.
set -- $TO
KC=$1 KR=$2
# walk <c> <r>: the arrow keys from the cursor's cell to that one
walk() {
    while [ "$KC" -lt "$1" ]; do xdotool key Right; KC=$((KC + 1)); done
    while [ "$KC" -gt "$1" ]; do xdotool key Left; KC=$((KC - 1)); done
    while [ "$KR" -lt "$2" ]; do xdotool key Down; KR=$((KR + 1)); done
    while [ "$KR" -gt "$2" ]; do xdotool key Up; KR=$((KR - 1)); done
    sleep 0.5
}
arrived=
for try in 1 2 3; do
    sleep 3
    shot keys
    look keys
    find_move
    walk $FROM
    xdotool key Return
    sleep 1
    walk $TO
    xdotool key space
    # A resting cube under the pointer keeps turning: the cursor steps back off the cell.
    walk $FROM
    for i in 1 2 3 4 5 6 7 8 9 10; do
        sleep 1
        shot moved
        look moved
        if full $TO; then arrived=1; break; fi
    done
    [ -n "$arrived" ] || xdotool key BackSpace
    [ -z "$arrived" ] || break
done
[ -n "$arrived" ] || fail "the cube sent by keys did not arrive on the cell $TO (from $FROM)"
KEY_MOVE="$FROM to $TO"
# The new turn's cubes grow in; then the board on the screen is the one to be saved. The pointer
# waits beside the board, where no cube turns under it.
xdotool mousemove --window "$WIN" 700 100
sleep 3
shot saving
look saving
SEEN=$(board_seen)

# Pause, then "save and quit" on the pause page, which saves the game and shows the main menu.
xdotool key Escape
sleep 1.5
shot pause
xdotool mousemove --window "$WIN" 299 336
sleep 0.7
xdotool click 1
sleep 2
[ -s data/Save1.dat ] || fail "no saved game"
shot back
SAVED=$(board_saved data/Save1.dat)
same_board "$SEEN" "$SAVED" || fail "the saved board $SAVED is not the one on the screen $SEEN"

# "New game", "Classic game", and "Continue" on the question about the saved game: the board
# comes back as saved, its cubes growing in again.
xdotool mousemove --window "$WIN" 400 221
sleep 0.5
xdotool click 1
sleep 1.5
xdotool mousemove --window "$WIN" 400 205
sleep 0.5
xdotool click 1
sleep 2
shot question
# question_shown: the question's panel still stands in the middle of the last shot
question_shown() {
    diff=$(compare -metric AE -fuzz 5% -extract 300x150+150+200 "$WORK/question.png" "$WORK/resumed.png" null: 2>&1 || true)
    [ "${diff%%.*}" -lt 2000 ]
}
# A loaded machine may drop the click on "Continue": it is given again while the question stands.
resumed=
for i in 1 2 3 4 5 6 7 8 9 10 11 12; do
    if [ "$i" = 1 ] || { [ "$i" -le 9 ] && question_shown; }; then
        xdotool mousemove --window "$WIN" 302 274
        sleep 0.5
        xdotool click 1
        sleep 0.5
        xdotool mousemove --window "$WIN" 700 100
    fi
    sleep 1
    shot resumed
    look resumed
    SEEN=$(board_seen)
    if same_board "$SEEN" "$SAVED"; then resumed=1; break; fi
    # The cubes grow in again and a new bonus figure is drawn, which they may form at once: then
    # the score moves and the figure's cubes (four at most) go.
    score=$(compare -metric AE -fuzz 5% -extract 160x36+605+158 "$WORK/saving.png" "$WORK/resumed.png" null: 2>&1 || true)
    if [ "${score%%.*}" -gt 50 ] && same_board "$SEEN" "$SAVED" 4; then resumed=1; break; fi
done
[ -n "$resumed" ] || fail "the resumed board $SEEN is not the saved one $SAVED"

# Pause and save again for the way out.
xdotool key Escape
sleep 1.5
xdotool mousemove --window "$WIN" 299 336
sleep 0.7
xdotool click 1
sleep 2

# Exit from the main menu: up from the first item to the last, then choose it.
xdotool key Up
sleep 0.5
xdotool key Return
n=0
while kill -0 "$PID" 2>/dev/null; do
    n=$((n + 1))
    [ "$n" -le 150 ] || fail "the program did not end"
    sleep 0.2
done
wait "$PID" || fail "the program ended with an error"
PID=

T=$(trace)
for line in " Main form created" " Fullscreen = False" " Resolution = 3 = 800x600x32" " D3D initialized" \
    " Vertices initialized" " ... Loading finished" " gsMenu  FPS:" " gsGame  FPS:" " Closing mainform" \
    " Main form closed" " D3D released"; do
    echo "$T" | grep -qF -- "$line" || fail "the trace has no \"$line\""
done
echo "$T" | head -1 | grep -qE '^[0-9]+ Main form created$' || fail "the trace does not begin with the creation"
[ "$(echo "$T" | tail -1 | sed 's/^[0-9]*//')" = " D3D released" ] || fail "the trace does not end with the release"
# Without vsync (Xvfb) the loop waits for the display's rate, 60 frames a second when unknown.
fastest=$(echo "$T" | sed -n 's/.*FPS: *\([0-9]*\)$/\1/p' | sort -n | tail -1)
echo "frame rates seen:" $(echo "$T" | sed -n "s/.*\(gs[A-Za-z]*\)  FPS: *\([0-9]*\)$/\1=\2/p" | tr "\n" " ") >&2
[ "${fastest:-0}" -le 66 ] || fail "frames came faster than the display refreshes ($fastest a second)"
grep -q '^Fullscreen=0' "$WORK/cfg/Quillomar/settings.ini" || fail "settings not saved"
echo "e2e: menu, a move by mouse from $MOUSE_MOVE and by keys from $KEY_MOVE, pause, save, resume and exit all passed"
