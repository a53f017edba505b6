# private-x.sh - sourced by the scripts that need an X server of their own.
#
# start_private_x [SCREEN]: starts Xvfb on a display number it chooses
# itself (-displayfd), so that it never meets the user's display or another
# run's; waits until it accepts connections, then exports DISPLAY and sets
# private_x_pid. Returns 1 when the server does not come up. SCREEN is
# Xvfb's screen geometry (default 1280x1024x24).
# stop_private_x: stops it again, if it runs.

private_x_pid=

start_private_x() {
    _private_x_number=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${1:-1280x1024x24}" -nolisten tcp -noreset \
        3>"$_private_x_number" >/dev/null 2>&1 &
    private_x_pid=$!
    _private_x_tries=0
    until grep -q '^[0-9][0-9]*$' "$_private_x_number"; do
        _private_x_tries=$((_private_x_tries + 1))
        if [ $_private_x_tries -gt 200 ] || ! kill -0 "$private_x_pid" 2>/dev/null; then
            rm -f "$_private_x_number"
            stop_private_x
            return 1
        fi
        sleep 0.05
    done
    DISPLAY=":$(head -n 1 "$_private_x_number")"
    export DISPLAY
    rm -f "$_private_x_number"
}

stop_private_x() {
    if [ -n "$private_x_pid" ]; then
        kill "$private_x_pid" 2>/dev/null || true
        wait "$private_x_pid" 2>/dev/null || true
        private_x_pid=
    fi
}
