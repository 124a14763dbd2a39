#!/usr/bin/env bash
# The game on a player's desktop, each part on an X display of its own started here, either bare
# or under openbox:
#  - in a window and in full screen: minimise and restore (no deactivation after the restore, the
#    game renders again, the music is restarted), Alt+Enter to full screen at the desktop's size
#    and back, both stored in the settings;
#  - under openbox, the focus taken away from a timed game and given back: the bank does not
#    drain while the game is inactive;
#  - a first run without settings (full screen at the desktop's size) at 1920x1080 and 2560x1080:
#    the 4:3 picture between dark bars, a square board, the help page's button and a cube moved
#    by mouse clicks arriving where clicked.
#
# usage: Desktop.sh <game folder> bare|wm [folder to keep the screenshots in]
set -uo pipefail

source "$(dirname "$0")/GameDriver.sh"
begin_on_own_display Desktop.sh "$@"

fail() {
    echo "FAIL ($desktop, ${part:-}): $*" >&2
    if [ -f "${trace_file:-}" ]; then tr -d '\r' <"$trace_file" | grep -v -e FPS -e loading | tail -25 >&2; fi
    [ -f "$work/out.txt" ] && cat "$work/out.txt" >&2
    exit 1
}

# start_program [settings text]: a fresh copy of the game folder and settings (none when empty).
start_program() {
    fresh_game "${1:-}"
    run_game
}

# The number of times a line stands in the trace.
count() { trace | grep -cF -- "$1"; }
# wait_count <text> <n> <seconds>
at_least() { [ "$(count "$1")" -ge "$2" ]; }
wait_count() { wait_for "$3" at_least "$1" "$2" || fail "\"$1\" not $2 times after $3 s"; }
# The trace after the last occurrence of a line.
after_last() { trace | awk -v l="$1" 'index($0, l) { n = NR } { a[NR] = $0 } END { for (i = n + 1; i <= NR; i++) print a[i] }'; }

# The game's window, found again after a rebuild; sets win, X, Y, WIDTH, HEIGHT.
find_window() {
    wait_for 30 eval 'win=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | tail -1); [ -n "$win" ]' ||
        fail "no game window"
    window_geometry "$win"
    # Keys go where the pointer is on a bare display and to the focused window under openbox.
    xdotool mousemove --window "$win" $((WIDTH / 2)) $((HEIGHT / 2))
    xdotool windowfocus --sync "$win" 2>/dev/null || true
}

# click_picture <x> <y>: a click at a point of the 800x600 picture, wherever it lies in the window.
click_picture() {
    local w=$WIDTH h=$((WIDTH * 3 / 4))
    [ "$h" -le "$HEIGHT" ] || { h=$HEIGHT w=$((HEIGHT * 4 / 3)); }
    xdotool mousemove --window "$win" $(((WIDTH - w) / 2 + $1 * w / 800)) $(((HEIGHT - h) / 2 + $2 * h / 600))
    sleep 0.3
    xdotool click 1
}

# no_bars <name>: a 4:3 window shows the picture up to each edge: no black strip along any side.
no_bars() {
    local strip edge
    for strip in "3x${HEIGHT}+0+0" "3x${HEIGHT}+$((WIDTH - 3))+0" "${WIDTH}x3+0+0" "${WIDTH}x3+0+$((HEIGHT - 3))"; do
        edge=$(convert "$work/$1.png" -crop "$strip" +repage -colorspace Gray -format '%[fx:maxima]' info:)
        awk -v m="$edge" 'BEGIN { exit !(m > 0.05) }' || fail "$1 has a black strip along an edge ($strip)"
    done
}

# minimise_and_restore <loadings expected after it>: in full screen the restore rebuilds the device
# and loads again; in a window it shows the same window.
minimise_and_restore() {
    local restored
    if [ "$desktop" = wm ]; then xdotool windowminimize --sync "$win"; else xdotool windowunmap --sync "$win"; fi
    wait_count " Application minimized" $((minimised += 1)) 30
    if [ "$desktop" = wm ]; then xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowmap "$win"
    else xdotool windowmap --sync "$win"; fi
    wait_count " Application restored" $((restores += 1)) 30
    wait_count " ... Loading finished" "$1" 240
    # Two frame-rate lines after the restore: it renders again and stays active.
    wait_for 30 eval '[ "$(after_last " Application restored" | grep -c "gsMenu  FPS")" -ge 2 ]' ||
        fail "no frames after the restore"
    restored=$(after_last " Restore application")
    ! grep -qF " Application deactivated" <<<"$restored" || fail "the game deactivated itself after the restore"
    grep -qF " Game = " <<<"$restored" || fail "the music was not started again"
    find_window
    shot "restored-$part"
    not_blank "restored-$part"
    no_bars "restored-$part"
}

# ---- Minimise, restore and Alt+Enter, from a window at 800x600 -----------------------------------
part=window
start_display 1024 768 "$desktop"
start_program $'[Software\\Quillomar]\nSoundVol=160\nMusicVol=120\nFullscreen=0\nResolution=3\nColor=1\nDesktop=0\nTexture=2\nHelp=0\nWriteDebug=1\nPseudoFullscreen=0\n'
minimised=0 restores=0
start_game_window
find_window
# The client is the 4:3 size asked for, a frame or not round it: no bars beside the picture.
[ "$WIDTH" = 800 ] && [ "$HEIGHT" = 600 ] || fail "the window is ${WIDTH}x${HEIGHT}"
if [ "$desktop" = wm ]; then
    frame=$(xprop -id "$win" _NET_FRAME_EXTENTS)
    [[ "$frame" =~ =\ [0-9]+,\ [0-9]+,\ [1-9] ]] || fail "the window has no frame: $frame"
fi
# xprop's output is read whole: with pipefail, grep -q stopping early would fail the pipe.
class=$(xprop -id "$win" WM_CLASS)
[[ "$class" == *'"org.quillomar.veltrane"'* ]] || fail "the window's class is not the entry's id: $class"
icon=$(xprop -id "$win" _NET_WM_ICON | head -c 2000)
[[ "$icon" == *"Icon (64 x 64)"* ]] || fail "the window has no icon"
minimise_and_restore 1

# ---- Focus loss in a timed game (under a window manager) -----------------------------------------
# Losing the focus deactivates and minimises the game; back, it goes on. The timed bank drains only
# while the game is active: the save made after tells how much it lost, at the first level's rate.
# On a bare display nothing minimises the window, so the game takes itself up again at once.
if [ "$desktop" = wm ]; then
    part=focus
    level1() { awk -v n="$1" '$0 == "Level 1" { l = NR } l && NR == l + n { print; exit }' "$work/game/data/Levels.dat"; }
    bank=$(level1 9) rate=$(level1 10) # the mode-2 goal (the bank starts half full) and the drain a ms
    # The pointer left over the menu would choose what Return does: the menu by clicks.
    click_picture 400 221 # "New game"
    sleep 1.5
    started=$EPOCHREALTIME
    click_picture 400 277 # "Timed game"
    wait_count "gsGame  FPS" 2 30
    xmessage -geometry +0+0 "Somewhere else" &
    away=$!
    wait_count " Application deactivated" 1 30
    left=$EPOCHREALTIME
    sleep 12
    xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowmap "$win"
    wait_count " Application restored" $((restores += 1)) 30
    back=$EPOCHREALTIME
    kill "$away"
    wait "$away" 2>/dev/null
    minimised=$(count " Application minimized")
    find_window
    sleep 2
    # Pause, then "save and quit" (the pause page answers to the mouse only).
    xdotool key Escape
    paused=$EPOCHREALTIME
    sleep 1.5
    click_picture 299 336
    save=$work/game/data/Save2.dat
    wait_for 30 test -s "$save" || fail "the timed game was not saved"
    # The save's fifth line is the bank.
    progress=$(sed -n 5p "$save" | tr -d '\r ')
    echo "timed bank: $bank/2 at the start, $progress saved; played ${started}..${paused} s, away ${left}..${back} s" >&2
    awk -v b="$bank" -v p="$progress" -v r="$rate" -v s="$started" -v l="$left" -v k="$back" -v e="$paused" '
        BEGIN { used = (b / 2 - p) / r / 1000; active = (e - s) - (k - l)
                exit !(used > 1 && used < active + 3) }' ||
        fail "the bank lost more than the time played (focus away for $(awk -v l="$left" -v k="$back" 'BEGIN { print k - l }') s)"
fi

part=alt-enter
xdotool key alt+Return
wait_trace " Switching to full screen" 30
wait_count " ... Loading finished" 2 240
find_window
[ "$WIDTH" = 1024 ] && [ "$HEIGHT" = 768 ] || fail "full screen is ${WIDTH}x${HEIGHT}"
grep -qx Fullscreen=1 "$settings" && grep -qx Desktop=1 "$settings" || fail "full screen was not stored"

part=fullscreen
minimise_and_restore 3

part=alt-enter-back
xdotool key F11
wait_trace " Switching to a window" 30
wait_count " ... Loading finished" 4 240
find_window
[ "$WIDTH" = 800 ] && [ "$HEIGHT" = 600 ] || fail "the window is ${WIDTH}x${HEIGHT}"
grep -qx Fullscreen=0 "$settings" || fail "the window was not stored"
kill -TERM "$pid" # reaches the game as the window's close
wait_for 30 eval '! kill -0 "$pid" 2>/dev/null' || fail "the program did not end"
wait "$pid" || fail "the program ended with an error"
pid=
grep -qx Fullscreen=0 "$settings" || fail "the settings saved at the end lost the window"
stop_display

# ---- Widescreen: a first run at the desktop's size -----------------------------------------------
# max_channel <picture> <raw>: the brightest channel of every pixel, one byte a pixel.
max_channel() { convert "$1" -separate -evaluate-sequence Max -depth 8 "gray:$2"; }
# at <x> <y>: the brightness of a pixel of the 800x600 picture in $work/pic.raw
at() { od -An -tu1 -j $(($2 * 800 + $1)) -N1 "$work/pic.raw" | tr -d ' '; }
# The board's cells in the picture's 800x600 pixels: column c, row r (0..8 from the top left).
cx() { echo $((79 + $1 * 554 / 10)); }
cy() { echo $((64 + $1 * 556 / 10)); }
full() {
    local x y
    x=$(cx "$1") y=$(cy "$2")
    for p in "$x $y" "$((x - 14)) $y" "$((x + 14)) $y" "$x $((y - 14))" "$x $((y + 14))"; do
        [ "$(at $p)" -gt 120 ] || return 1
    done
}
empty() {
    local x y
    x=$(cx "$1") y=$(cy "$2")
    for p in "$x $y" "$((x - 14)) $y" "$((x + 14)) $y" "$x $((y - 14))" "$x $((y + 14))"; do
        [ "$(at $p)" -lt 100 ] || return 1
    done
}
# picture <name>: the 4:3 picture of a screenshot, cut from between its bars, at 800x600.
picture() {
    convert "$work/$1.png" -crop "${pw}x${ph}+${pl}+${pt}" +repage -resize '800x600!' "$work/pic.png"
    max_channel "$work/pic.png" "$work/pic.raw"
}
# The gold frame around the board: its outer extent across the middle row and down the middle
# column of the picture at full size (gold: bright red, little blue).
gold_extent() {
    convert "$work/$1.png" -crop "$2" +repage -depth 8 txt:- |
        awk -F'[(),: ]+' '/^[0-9]/ { if ($3 > 150 && $5 < 120 && $3 - $5 > 90) { if (!n++) first = $'"$3"'; last = $'"$3"' } }
                          END { print last - first + 1 }'
}
board_on_screen() {
    import -window root "$work/board.png"
    bw=$(gold_extent board "$((pw * 70 / 100))x1+${pl}+$((pt + ph * 47 / 100))" 1)
    bh=$(gold_extent board "1x$((ph * 93 / 100))+$((pl + pw * 375 / 1000))+${pt}" 2)
    [ "$bw" -gt $((pw / 2)) ] && [ "$bh" -gt $((ph / 2)) ]
}
# A grown cube beside a free cell in the last picture: sets from and to ("column row").
find_move() {
    from= to=
    for r in 0 1 2 3 4 5 6 7 8; do
        for c in 0 1 2 3 4 5 6 7 8; do
            [ -z "$from" ] || break
            full "$c" "$r" || continue
            for n in "$((c - 1)) $r" "$((c + 1)) $r" "$c $((r - 1))" "$c $((r + 1))"; do
                set -- $n
                [ "$1" -ge 0 ] && [ "$1" -le 8 ] && [ "$2" -ge 0 ] && [ "$2" -le 8 ] || continue
                if empty "$1" "$2"; then from="$c $r" to="$1 $2"; break; fi
            done
        done
    done
}
click_cell() {
    xdotool mousemove $((pl + $(cx "$1") * pw / 800)) $((pt + $(cy "$2") * ph / 600))
    sleep 0.3
    xdotool click 1
}

for size in 1920x1080 2560x1080; do
    part=$size
    sw=${size%x*} sh=${size#*x}
    start_display "$sw" "$sh" "$desktop"
    start_program ""
    start_game_window
    find_window
    [ "$WIDTH" = "$sw" ] && [ "$HEIGHT" = "$sh" ] || fail "full screen is ${WIDTH}x${HEIGHT}"
    # The picture: as high as the screen, 4:3, centred.
    ph=$sh pw=$((sh * 4 / 3)) pt=0 pl=$(((sw - sh * 4 / 3) / 2))
    shot "menu-$size"
    # The bars are dark, the picture is not.
    for bar in "${pl}x${sh}+0+0" "${pl}x${sh}+$((pl + pw))+0"; do
        mean=$(convert "$work/menu-$size.png" -crop "$bar" +repage -colorspace Gray -format '%[fx:maxima]' info:)
        awk -v m="$mean" 'BEGIN { exit !(m < 0.05) }' || fail "a bar beside the picture is not dark ($mean)"
    done
    picture "menu-$size"
    cp "$work/pic.png" "$work/menu-picture.png"
    not_blank menu-picture
    # "New game", mode 1, then the help page's "START GAME" button clicked with the mouse.
    xdotool key Return
    sleep 1.5
    xdotool key Return
    sleep 2
    xdotool mousemove $((pl + 710 * pw / 960)) $((pt + 508 * ph / 540))
    sleep 0.5
    xdotool click 1
    wait_for 60 board_on_screen || fail "no board after the help page's button"
    sleep 2
    board_on_screen || fail "the board went away"
    cp "$work/board.png" "$work/game-$size.png"
    [ -z "$keep" ] || cp "$work/board.png" "$keep/game-$size.png"
    # A square board of square cells: its frame as wide as high within 2%.
    awk -v w="$bw" -v h="$bh" 'BEGIN { r = w / h; exit !(r > 0.98 && r < 1.02) }' ||
        fail "the board is ${bw}x${bh} pixels, not square"
    picture board
    find_move
    [ -n "$from" ] || fail "no cube with a free neighbour found on the board"
    click_cell $from
    sleep 1
    click_cell $to
    arrived() { import -window root "$work/moved.png" && picture moved && full $to; }
    wait_for 30 arrived || fail "the cube did not arrive on the cell $to (from $from)"
    kill -TERM "$pid"
    wait_for 30 eval '! kill -0 "$pid" 2>/dev/null' || fail "the program did not end"
    wait "$pid" || fail "the program ended with an error"
    pid=
    grep -qx Fullscreen=1 "$settings" && grep -qx Resolution=9 "$settings" || fail "the first run's settings were not stored"
    stop_display
done

echo "desktop ($desktop): minimise and restore, Alt+Enter, widescreen pictures and clicks all passed"
