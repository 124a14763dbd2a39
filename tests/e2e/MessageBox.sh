# SDL's message box for the end-to-end scripts; sourced, not run. The caller sets pid.

# SDL's message box carries neither the program's pid nor a class, and xdotool cannot match its
# UTF-8 title: it is the newest viewable named window on the display that is not the program's.
message_box() {
    local own w
    own=$(xdotool search --all --onlyvisible --pid "$pid" 2>/dev/null)
    # A window manager keeps a named 1x1 window of its own out of sight: boxes are larger.
    xwininfo -root -tree | awk '/^ *0x[0-9a-f]+ "/ && !/ [0-9]x[0-9]+[+-]/ { print $1 }' | while read -r w; do
        grep -qx "$((w))" <<<"$own" && continue
        # Read whole: with pipefail, grep -q stopping early could fail the pipe.
        [[ "$(xwininfo -id "$w" 2>/dev/null)" == *IsViewable* ]] && echo "$w"
    done | tail -1
}
has_message_box() { [ -n "$(message_box)" ]; }

# answer_message_box <window>: presses the box's default button (Return).
answer_message_box() {
    local geo
    geo=$(xdotool getwindowgeometry --shell "$1")
    eval "$(sed 's/^/box_/' <<<"$geo")"
    xdotool mousemove --window "$1" $((box_WIDTH / 2)) $((box_HEIGHT / 2))
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    xdotool key Return
}
