# An X display of the test's own for the end-to-end scripts, bare or under openbox; sourced, not
# run. The caller sets work (a scratch folder) and desktop (bare or wm), defines fail, and sources
# GameDriver.sh first (for wait_for). It keeps the servers' pids in xvfb and wm.

# start_display <width> <height>: a fresh X server (and openbox on it for wm); exports DISPLAY.
start_display() {
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "${1}x${2}x24" -noreset -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb=$!
    wait_for 30 test -s "$work/display" || fail "Xvfb did not start"
    export DISPLAY=":$(head -1 "$work/display")"
    if [ "$desktop" = wm ]; then
        openbox --sm-disable >/dev/null 2>&1 &
        wm=$!
        wait_for 30 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
            fail "openbox did not start"
    fi
}

# stop_display: ends the program (pid) if it still runs, then the window manager and the server.
stop_display() {
    if [ -n "${pid:-}" ] && kill -0 "$pid" 2>/dev/null; then kill -CONT "$pid" 2>/dev/null; kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; fi
    if [ -n "${wm:-}" ]; then kill "$wm" 2>/dev/null; wait "$wm" 2>/dev/null; fi
    if [ -n "${xvfb:-}" ]; then kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; fi
    pid= wm= xvfb=
}
