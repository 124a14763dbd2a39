# Drives the real game in an X display for the end-to-end scripts; sourced, not run.
# The caller sets pid (the program), trace_file (where its trace goes) and work (a scratch folder),
# and defines fail.

# wait_for <seconds> <command...>: retries the command until it succeeds.
wait_for() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.2
    done
}

. "$(dirname "${BASH_SOURCE[0]}")/MessageBox.sh"

# begin_on_own_display <script name> <arguments...>: the arguments of a script that starts a
# display of its own, "<game folder> bare|wm [folder to keep the screenshots in]", as game_dir,
# desktop and keep; a scratch folder as work, removed with the display and the program at the end.
begin_on_own_display() {
    local name=$1
    shift
    game_dir=${1:-} desktop=${2:-} keep=${3:-}
    if [ -z "$game_dir" ] || { [ "$desktop" != bare ] && [ "$desktop" != wm ]; }; then
        echo "usage: $name <game folder> bare|wm [folder to keep the screenshots in]" >&2
        exit 2
    fi
    work=$(mktemp -d)
    pid=
    trap 'stop_display; rm -rf "$work"' EXIT
}

# start_display <width> <height> [wm]: an X server of the script's own, so no other test shares
# its pointer, focus or windows (and openbox on it for wm); DISPLAY names it. stop_display ends
# the program, the window manager and the server.
xvfb=
wm=
start_display() {
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "${1}x${2}x24" -noreset -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb=$!
    wait_for 30 test -s "$work/display" || fail "Xvfb did not start"
    export DISPLAY=":$(head -1 "$work/display")"
    if [ "${3:-}" = wm ]; then
        openbox --sm-disable >/dev/null 2>&1 &
        wm=$!
        wait_for 30 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
            fail "openbox did not start"
    fi
}
stop_display() {
    # A program held by a message box does not take its close: it is killed after a while.
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null
        wait_for 10 eval '! kill -0 "$pid" 2>/dev/null' || kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    fi
    if [ -n "$wm" ]; then kill "$wm" 2>/dev/null; wait "$wm" 2>/dev/null; fi
    if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; fi
    pid= wm= xvfb=
}

# fresh_game [settings text]: a fresh copy of $game_dir in $work/game, without a trace, saved
# games or high scores, and the settings store in $work/cfg (none when the text is empty); sets
# settings and trace_file.
fresh_game() {
    rm -rf "$work/game" "$work/cfg"
    cp -r "$game_dir" "$work/game"
    rm -f "$work/game/debug.txt" "$work/game/data/Save1.dat" "$work/game/data/Save2.dat" \
        "$work/game/data/Hiscores.dat"
    mkdir -p "$work/cfg/Quillomar"
    settings=$work/cfg/Quillomar/settings.ini
    [ -z "${1:-}" ] || printf '%s' "$1" >"$settings"
    trace_file=$work/game/debug.txt
}
# run_game: the program in $work/game with the settings in $work/cfg, seeded; sets pid. Its
# standard output and error go to $work/out.txt, with every change of the game state
# ("game state game -> gameover").
run_game() {
    (cd "$work/game" && ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" XDG_CONFIG_HOME="$work/cfg" \
        SDL_AUDIODRIVER=dummy VELTRANE_SEED=20261207 VELTRANE_TRACE_STATES=1 exec ./veltrane >"$work/out.txt" 2>&1) &
    pid=$!
}
# state_count <state>: how often the game has entered the state so far.
state_count() { grep -c -- "-> $1\$" "$work/out.txt" 2>/dev/null; }
# wait_state <state> <n> <seconds>: until the game has entered the state n times.
state_reached() {
    kill -0 "$pid" 2>/dev/null || fail "the program ended before the state $1"
    [ "$(state_count "$1")" -ge "$2" ]
}
wait_state() { wait_for "$3" state_reached "$1" "$2" || fail "the game did not enter \"$1\" $2 times in $3 s"; }

trace() { if [ -f "$trace_file" ]; then tr -d '\r' <"$trace_file"; fi; }
has_trace() {
    kill -0 "$pid" 2>/dev/null || fail "the program ended before \"$1\""
    trace | grep -qF -- "$1"
}
# wait_trace <text> <seconds>
wait_trace() { wait_for "$2" has_trace "$1" || fail "no \"$1\" in the trace after $2 s"; }

# told <text>: the program tells the player something in a message box, which is answered, or,
# where the display cannot show one, on its standard error with the text given.
told() {
    told_text=$1
    if ! wait_for 30 eval 'has_message_box || grep -qF -- "$told_text" "$work/out.txt"'; then
        # What the display holds, and whether the program (or the process SDL forks for its box)
        # is waiting on something.
        xwininfo -root -tree >&2
        ps -eo pid,ppid,stat,wchan:24,etime,args | awk -v p="$pid" '$1 == p || $2 == p' >&2
        fail "the player was not told \"$1\": no message box and nothing on the standard error"
    fi
    if has_message_box; then
        if [ -n "${keep:-}" ]; then
            sleep 0.5
            told_count=$((${told_count:-0} + 1))
            import -window root "$keep/message-$told_count.png"
        fi
        # A key that reaches the box before it reads its input is lost and the box stays (seen
        # under load): it is answered again until it has been gone for a while.
        local tries=0
        while has_message_box; do
            [ "$tries" -lt 4 ] || fail "the message box is still there"
            tries=$((tries + 1))
            answer_message_box "$(message_box)"
            wait_for 5 eval '! has_message_box' && sleep 1
        done
    fi
}

# window_geometry <window>: X, Y (the corner of its drawing area on the screen), WIDTH, HEIGHT.
# Under a window manager's frame xdotool's position is off by the frame; xwininfo's is not.
window_geometry() {
    eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/ { print "X=" $NF } /Absolute upper-left Y/ { print "Y=" $NF }
                                     /^ *Width:/ { print "WIDTH=" $NF } /^ *Height:/ { print "HEIGHT=" $NF }')"
}

# The launcher comes first: "Start Game" is its default button. Then the game window loads to
# its menu; sets win, X, Y, WIDTH, HEIGHT.
start_game_window() {
    xdotool search --sync --onlyvisible --pid "$pid" >/dev/null
    sleep 1
    local launcher
    launcher=$(xdotool search --onlyvisible --pid "$pid" | head -1)
    [ -n "$launcher" ] || fail "no launcher"
    xdotool windowfocus --sync "$launcher" || true
    sleep 0.5
    xdotool key Return
    wait_trace " ... Loading finished" 240
    win=$(xdotool search --sync --onlyvisible --pid "$pid" | head -1)
    [ -n "$win" ] || fail "no game window"
    xdotool windowfocus --sync "$win" || true
    window_geometry "$win"
    sleep 2
}

# shot <name>: the window's picture as $work/<name>.png (and in $keep when given)
shot() {
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/$1.png"
    if [ -n "${keep:-}" ]; then cp "$work/$1.png" "$keep/"; fi
}
# not_blank <name>: the picture has real contrast
not_blank() {
    local sd
    sd=$(convert "$work/$1.png" -colorspace Gray -format '%[fx:standard_deviation]' info:)
    awk -v sd="$sd" 'BEGIN { exit !(sd > 0.03) }' || fail "$1 screen is blank (deviation $sd)"
}

# lit_room <name>: the picture shows the dark room, not the white of pictures that failed to load
lit_room() {
    local mean
    mean=$(convert "$work/$1.png" -colorspace Gray -format '%[fx:mean]' info:)
    awk -v m="$mean" 'BEGIN { exit !(m < 0.5) }' || fail "$1 screen is washed out (mean $mean): pictures missing"
}

# From the main menu: a new game of mode 1, paused with Escape and left with "save and quit" on
# the pause page, which saves it and shows the main menu again.
play_and_save_mode1() {
    xdotool key Return
    sleep 1.5
    xdotool key Return
    sleep 4
    shot game1
    not_blank game1
    lit_room game1
    xdotool key Escape
    sleep 1.5
    xdotool mousemove --window "$win" 299 336
    sleep 0.7
    xdotool click 1
    sleep 2
}

# From the main menu: a game of mode 2 continued from its saved game (<save file>) whose time
# bank is empty, so it ends at once; the saved game goes, the high-score table asks for a name,
# which is typed and stored, and the table is left for the main menu.
lose_timed_game_and_enter_name() {
    xdotool key Return
    sleep 1.5
    xdotool key Down
    sleep 0.5
    xdotool key Return
    sleep 4
    # "Continue" on the question about the saved game.
    xdotool mousemove --window "$win" 302 274
    sleep 0.7
    xdotool click 1
    timed_save=$1
    wait_for 30 eval '[ ! -e "$timed_save" ]' || fail "the timed game did not end"
    # The camera flies out before "GAME OVER" asks for a click or a key.
    sleep 10
    shot gameover
    xdotool click 1
    sleep 2
    xdotool type --delay 150 Installed
    sleep 1
    xdotool key Return
    sleep 2
    shot hiscores
    xdotool key Return
    sleep 1.5
}

# From the main menu: exit, the last item, and wait for a clean end.
quit_from_menu() {
    xdotool key Up
    sleep 0.5
    xdotool key Return
    wait_for 30 eval '! kill -0 "$pid" 2>/dev/null' || fail "the program did not end"
    wait "$pid" || fail "the program ended with an error"
    pid=
}
