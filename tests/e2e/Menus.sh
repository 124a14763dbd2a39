#!/usr/bin/env bash
# The game's menus as a new player meets them, on an X display of the test's own, bare or under
# openbox:
#  - a first run without settings: the launcher writes the defaults, its options set a window of
#    800x600, Start Game shows the loading picture, then the menu, where the pointer follows the
#    mouse;
#  - the tutorial from the menu: forward page by page to the last (9) and back to the first;
#  - the options page: both volumes set by clicks on their rows and by the arrow keys, the next
#    skin, Save; after a restart the settings file and the page show the same values.
#
# usage: Menus.sh <game folder> bare|wm [folder to keep screenshots in]
set -uo pipefail

source "$(dirname "$0")/GameDriver.sh"
begin_on_own_display Menus.sh "$@"
# Only the pictures chosen below are kept, not every shot taken.
keep_dir=$keep keep=
part=

fail() {
    echo "FAIL ($desktop, ${part:-}): $*" >&2
    if [ -f "${trace_file:-}" ]; then tr -d '\r' <"$trace_file" | grep -v FPS | tail -25 >&2; fi
    [ -f "${settings:-}" ] && cat "$settings" >&2
    [ -f "$work/out.txt" ] && cat "$work/out.txt" >&2
    exit 1
}

# The program's visible window with the given title (the launcher's dialogs), or any.
visible_window() {
    if [ $# -gt 0 ]; then
        xdotool search --all --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null | head -1
    else
        xdotool search --all --onlyvisible --pid "$pid" 2>/dev/null | tail -1
    fi
}
has_window() { [ -n "$(visible_window "$@")" ]; }
no_window() { [ -z "$(visible_window "$@")" ]; }
# focus <window>: keys go to the focused window under openbox and to the one under the pointer on
# a bare display.
focus() {
    xdotool mousemove --window "$1" 5 5
    xdotool windowfocus --sync "$1" 2>/dev/null || true
}

# has_contrast <name>: the shot $work/<name>.png shows a picture, not one flat colour.
has_contrast() {
    local sd
    sd=$(convert "$work/$1.png" -colorspace Gray -format '%[fx:standard_deviation]' info:)
    awk -v sd="$sd" 'BEGIN { exit !(sd > 0.03) }'
}
# differ <a> <b> [pixels]: the two shots differ in more than that many pixels (default 2000).
differ() {
    local n
    n=$(compare -metric AE -fuzz 3% "$work/$1.png" "$work/$2.png" null: 2>&1)
    [ "${n%%.*}" -gt "${3:-2000}" ] 2>/dev/null
}
# new_picture <reference> <name> <seconds>: waits until the window's picture differs from the
# reference, gives the page its settle time (the menu ignores input for 0.25 s after a page is
# shown) and takes the shot again, whole (a shot can catch a frame being put on the screen).
new_picture() {
    local ref=$1 name=$2
    changed() { shot "$name" && differ "$ref" "$name"; }
    wait_for "$3" changed || return 1
    sleep 0.5
    shot "$name"
}
# still_shot <name>: a shot of a picture that has come to rest (two shots alike in a row).
still_shot() {
    shot "$1-before"
    alike() { sleep 0.3 && shot "$1" && ! differ "$1-before" "$1" 0 || { mv "$work/$1.png" "$work/$1-before.png"; false; }; }
    wait_for 10 alike "$1"
}
keep_shot() { [ -z "$keep_dir" ] || cp "$work/$1.png" "$keep_dir/$2.png"; }

# The game's window once loaded: win, X, Y, WIDTH, HEIGHT, and the 4:3 picture inside it (pl, pt,
# pw, ph), which the menu plane spans.
game_window() {
    wait_for 30 eval 'win=$(visible_window); [ -n "$win" ]' || fail "no game window"
    window_geometry "$win"
    if [ $((WIDTH * 3)) -gt $((HEIGHT * 4)) ]; then
        ph=$HEIGHT pw=$(((HEIGHT * 8 + 3) / 6)) pt=0
        pl=$(((WIDTH - pw) / 2))
    else
        pw=$WIDTH ph=$(((WIDTH * 6 + 4) / 8)) pl=0
        pt=$(((HEIGHT - ph) / 2))
    fi
    focus "$win"
}

# at <right> <up>: sets px, py, the window pixel of a point of the menu plane given in units right
# of and above the picture's centre (as the menu file places its items: the plane is 14.45 units
# wide and 10.8375 high).
at() {
    read -r px py < <(awk -v r="$1" -v u="$2" -v l="$pl" -v t="$pt" -v w="$pw" -v h="$ph" \
        'BEGIN { printf "%d %d\n", l + w * (0.5 + r / 14.45) + 0.5, t + h * (0.5 - u / 10.8375) + 0.5 }')
}
point() { at "$1" "$2" && xdotool mousemove --window "$win" "$px" "$py"; }
# click_at <right> <up>: the pointer there, then a left click once it has arrived.
click_at() {
    point "$1" "$2"
    sleep 0.3
    xdotool click 1
}

# ---- First run: no settings; the launcher, its options, the loading picture, the menu ----------
part=first-run
start_display 1024 768 "$desktop"
fresh_game ""
rm -f "$work/game/Images/Tutorial/"*.bmp
run_game
wait_for 30 has_window Veltrane || fail "the launcher did not appear"
launcher=$(visible_window Veltrane)
# The launcher stored the defaults on finding no settings.
printf '[Software\\Quillomar]\nSoundVol=160\nMusicVol=120\nFullscreen=1\nResolution=6\nColor=0\nDesktop=1\nTexture=2\nHelp=1\nWriteDebug=0\nPseudoFullscreen=0\n' \
    >"$work/defaults.ini"
cmp -s "$settings" "$work/defaults.ini" || fail "the first run did not store the default settings"
focus "$launcher"
xdotool key alt+o
wait_for 10 has_window Options || fail "Alt+O did not open the options"
options=$(visible_window Options)
xdotool mousemove --window "$options" 168 29 click 1 # "Windowed"; the list shows 800x600
sleep 0.3
focus "$options"
xdotool key alt+o
wait_for 10 no_window Options || fail "Alt+O did not close the options with Ok"
grep -qx Fullscreen=0 "$settings" && grep -qx Resolution=3 "$settings" || fail "Windowed 800x600 was not stored"
focus "$launcher"
xdotool key alt+s

# The loading picture: the program is held still while a shot is taken, and the shot counts
# only if loading had not finished by then. Loading can take well under a second: the program
# runs on only a few hundredths of a second between tries.
loading_shot() {
    local seen=1
    kill -STOP "$pid"
    win=$(visible_window)
    if [ -n "$win" ] && window_geometry "$win" && shot loading && ! trace | grep -qF " ... Loading finished" &&
        has_contrast loading; then seen=0; fi
    kill -CONT "$pid"
    return $seen
}
end=$((SECONDS + 240))
until has_trace " Vertices initialized"; do
    [ "$SECONDS" -lt "$end" ] || fail "the game window did not start loading"
    sleep 0.02
done
until loading_shot; do
    ! has_trace " ... Loading finished" || fail "loading finished before its picture was seen"
    [ "$SECONDS" -lt "$end" ] || fail "no loading picture"
    sleep 0.03
done
keep_shot loading loading
wait_trace " ... Loading finished" 240
game_window
[ "$WIDTH" -le 800 ] && [ "$HEIGHT" -le 600 ] && [ "$HEIGHT" -ge 540 ] || fail "the game window is ${WIDTH}x${HEIGHT}"
# The menu comes up once loading is done (the lights of the loading bar change fewer pixels).
menu_shown() { still_shot "$1" && has_contrast "$1" && differ loading "$1" 100000; }
wait_for 30 menu_shown menu || fail "the menu did not follow the loading picture"

# The pointer is a sprite drawn by the game: moved to two free places of the menu, the two shots
# differ only where the pointer was and where it is, and in both places.
part=pointer
moved_to() { xdotool mousemove --window "$win" "$1" "$2"; }
at -5.4 1.8 && p1="$px $py"
at 5.3 3.6 && p2="$px $py"
moved_to $p1
sleep 0.5
moved_to $p1 # a second move: the first one may have lifted a highlight under the pointer
pointer_moved() {
    shot pointer1
    moved_to $p2
    sleep 0.5
    shot pointer2
    moved_to $p1
    convert "$work/pointer1.png" "$work/pointer2.png" -compose difference -composite -colorspace Gray \
        -threshold 8% "$work/pointer-diff.png"
    local total near1 near2 box=$((44 * pw / 800)) back=$((6 * pw / 800))
    white() { convert "$work/pointer-diff.png" -crop "$1" +repage -format '%[fx:round(mean*w*h)]' info:; }
    total=$(white "${WIDTH}x${HEIGHT}+0+0")
    set -- $p1
    near1=$(white "${box}x${box}+$(($1 - back))+$(($2 - back))")
    set -- $p2
    near2=$(white "${box}x${box}+$(($1 - back))+$(($2 - back))")
    [ "$near1" -ge 60 ] && [ "$near2" -ge 60 ] && [ "$((near1 + near2))" -eq "$total" ] ||
        { echo "pointer: $near1 and $near2 changed pixels at the two places, $total in all" >&2; return 1; }
}
wait_for 20 pointer_moved || fail "the pointer did not follow the mouse"

# ---- The tutorial: forward to its last page, back to its first ---------------------------------
part=tutorial
moved_to $p2
sleep 0.5
shot main
click_at 0 1.4 # "New game"
new_picture main choose 20 || fail "\"New game\" did not open its page"
click_at 0 -0.9 # "Tutorial"
new_picture choose tutorial1 20 || fail "the tutorial did not open"
has_trace " loaded" && fail "the tutorial turned a page by itself"
[ -s "$work/game/Images/Tutorial/tut1.bmp" ] || fail "the tutorial's pages were not converted"
at_least() { [ "$(trace | grep -cF -- "$1")" -ge "$2" ]; }
last_page() { trace | sed -n 's/^[0-9]* loaded\([0-9]*\)$/\1/p' | tail -1; }
# turned <page before> <page> <turns>: the caller's press turned the tutorial from one page to
# the next, the turns-th turn in the trace, and the screen shows it.
turned() {
    local before=$1 page=$2
    wait_for 20 at_least " loaded" "$3" || fail "no page turned towards page $page"
    [ "$(last_page)" = "$page" ] || fail "the tutorial shows page $(last_page), not $page"
    # A page turn shows the page at once: no settle time to wait for.
    page_shown() { shot "tutorial$page" && differ "tutorial$before" "tutorial$page"; }
    wait_for 20 page_shown || fail "page $page looks like page $before"
}
turns=0
point 5.6 -4.85 # "Next"
sleep 0.5
for page in 2 3 4 5 6 7 8 9; do
    xdotool click 1
    turned $((page - 1)) "$page" $((turns += 1))
done
# The last page has no "Next": the pointer moved off and back to where it stood, a click there
# does nothing.
point 5.6 -3.5
sleep 0.3
click_at 5.6 -4.85
sleep 2
[ "$(trace | grep -cF " loaded")" = "$turns" ] || fail "a click past the last page turned a page"
shot tutorial-end
differ tutorial9 tutorial-end 50 && fail "a click past the last page changed the picture"
keep_shot tutorial-end tutorial
# Back with the keys: nothing is highlighted, so Up goes to the last item, "Previous"; then Enter
# page by page.
xdotool key Up
sleep 0.3
for page in 8 7 6 5 4 3 2 1; do
    xdotool key Return
    turned $((page + 1)) "$page" $((turns += 1))
done
# The first page has no "Previous": a click where it stood does nothing.
click_at 2.6 -4.85
sleep 2
[ "$(trace | grep -cF " loaded")" = "$turns" ] || fail "a click before the first page turned a page"
trace | grep -q ' loaded\(0\|1[0-9]\)$' && fail "the tutorial left its pages 1 to 9"
shot tutorial-leave
xdotool key Escape
new_picture tutorial-leave choose-again 20 || fail "Escape did not leave the tutorial"
differ choose choose-again && fail "Escape in the tutorial did not lead back to the game choice"
xdotool key Escape
new_picture choose-again main-again 20 || fail "Escape did not lead back to the main menu"

# ---- The options page: volumes by click and by key, the next skin, Save; a restart keeps them ----
part=options
# row_point <right> <up>: a pixel of a volume row near that point, and vol, the volume a click
# there sets (the distance from the bar's fixed end, 250 for the whole row), away from a step of
# the volume so that the game's single precision cannot tip it.
row_point() {
    local i frac
    at "$1" "$2"
    for i in 0 1 2 3 4 5 6 7; do
        read -r vol frac < <(awk -v x=$((px + i)) -v l="$pl" -v w="$pw" 'BEGIN {
            v = (-1.8 + (0.5 - (x - l) / w) * 14.45 + 1.01) * 250 / 1.5; if (v < 0) v = -v
            if (v > 250) v = 250; print int(v), v - int(v) }')
        if awk -v f="$frac" 'BEGIN { exit !(f > 0.01 && f < 0.99) }'; then px=$((px + i)); return; fi
    done
    fail "no pixel on the row away from a volume step"
}
# bar_length <shot> <up>: the lit length of the volume bar of the row at that height, in pixels,
# measured just above the row's middle, clear of a pointer that clicked the row.
bar_length() {
    local from y
    at -0.78 "$2"
    from=$px y=$((py - 3 * ph / 600))
    at 0.70 "$2"
    convert "$work/$1.png" -crop "$((px - from))x1+${from}+${y}" +repage -depth 8 txt:- |
        awk -F'[(),: ]+' 'NR > 1 && $4 > 120 { n++ } END { print n + 0 }'
}
# bar_shows <shot> <up> <volume>: the bar is as long as the page lays it for that volume.
bar_shows() {
    awk -v n="$(bar_length "$1" "$2")" -v v="$3" -v w="$pw" \
        'BEGIN { d = n - v * 1.4 / 255 * w / 14.45; exit !(d > -2 && d < 2) }'
}
sound_row=2.251 music_row=0.44475

shot main-again
click_at 0 0.25 # "Options"
new_picture main-again options-start 20 || fail "\"Options\" did not open its page"
first_volumes() { shot options-start && bar_shows options-start $sound_row 160 && bar_shows options-start $music_row 120; }
wait_for 10 first_volumes || fail "the volume bars do not show the first run's volumes"
# set_row <up> <right>: a click on a volume row; sets vol. Repeated when a loaded machine lost it.
set_row() {
    row_point "$2" "$1"
    row_set() { shot options-row && bar_shows options-row "$1" "$vol"; }
    for try in 1 2 3; do
        xdotool mousemove --window "$win" "$px" "$py"
        sleep 0.3
        xdotool click 1
        wait_for 10 row_set "$1" && return
    done
    fail "a click on the row at $1 did not set the volume $vol"
}
set_row $sound_row 0.55
sound=$vol
set_row $music_row -0.5
music=$vol
[ "$sound" -gt 200 ] && [ "$music" -lt 100 ] && [ "$music" -gt 20 ] || fail "clicks gave the volumes $sound and $music"
# The next skin, shown by its preview.
at -0.05 -1.45
preview="$((130 * pw / 800))x$((70 * pw / 800))+$((px - 65 * pw / 800))+$((py - 35 * pw / 800))"
convert "$work/options-row.png" -crop "$preview" +repage "$work/preview-before.png"
skin_shown() {
    shot options-skin
    convert "$work/options-skin.png" -crop "$preview" +repage "$work/preview-after.png"
    differ preview-before preview-after 500
}
click_at 1.2 -1.45
wait_for 10 skin_shown || fail "the next skin's preview did not show"
# The keys from the skin's "next" arrow, where the click left the highlight: up twice to the
# music's "up" arrow, chosen twice; up three times to the sound's "down" arrow, chosen once.
xdotool key Up
sleep 0.2
xdotool key Up
sleep 0.2
xdotool key Return
sleep 0.2
xdotool key Return
sleep 0.2
for k in Up Up Up Return; do
    xdotool key $k
    sleep 0.2
done
sound=$((sound - 10)) music=$((music + 20))
# Two moves to a free place: the first one still lights the label of the row it leaves.
point -5.4 1.8
sleep 0.3
point 5.3 3.6
keyed() { still_shot options-set && bar_shows options-set $sound_row $sound && bar_shows options-set $music_row $music; }
wait_for 10 keyed || fail "the keys did not set the volumes $sound and $music"
keep_shot options-set options
click_at -1.6 -3.3 # "Save"
saved() {
    grep -qx "SoundVol=$sound" "$settings" && grep -qx "MusicVol=$music" "$settings" && grep -qx Texture=3 "$settings"
}
wait_for 10 saved || fail "Save did not store the volumes $sound, $music and skin 3"
new_picture options-set main-saved 20 || fail "Save did not lead back to the main menu"
click_at 0 -2.05 # "Exit"
wait_for 30 eval '! kill -0 "$pid" 2>/dev/null' || fail "\"Exit\" did not end the program"
wait "$pid" || fail "the program ended with an error"
pid=
saved || fail "the settings stored at the end lost the options"

part=restart
rm "$trace_file"
run_game
wait_for 30 has_window Veltrane || fail "the launcher did not appear again"
focus "$(visible_window Veltrane)"
xdotool key alt+s
wait_trace " ... Loading finished" 240
game_window
wait_for 30 menu_shown main-restarted || fail "no menu after the restart"
click_at 0 0.25 # "Options"
new_picture main-restarted options-restarted 20 || fail "\"Options\" did not open its page after the restart"
point -5.4 1.8
sleep 0.3
point 5.3 3.6
restored() {
    still_shot options-restarted && bar_shows options-restarted $sound_row $sound &&
        bar_shows options-restarted $music_row $music && ! differ options-set options-restarted 100
}
wait_for 10 restored || fail "after the restart the options page does not show the volumes $sound, $music and skin 3 as saved"
xdotool key Escape
new_picture options-restarted main-left 20 || fail "Escape did not leave the options"
click_at 0 -2.05 # "Exit"
wait_for 30 eval '! kill -0 "$pid" 2>/dev/null' || fail "\"Exit\" did not end the program"
wait "$pid" || fail "the program ended with an error"
pid=
saved || fail "the settings changed without a change"
stop_display

echo "menus ($desktop): first run, loading, pointer, tutorial pages, options kept over a restart all passed"
