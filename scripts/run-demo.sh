#!/bin/sh
# make run: with a display, opens the demo. Without one, runs the programs
# for a few seconds on a private X server, saves a screenshot of each of
# their windows under <build>/screenshots/ and prints the paths.
set -eu

build=${1:-build}
demo="$build/demo/vestrane"

if [ -n "${DISPLAY:-}" ]; then
    exec "$demo"
fi

shots="$build/screenshots"
mkdir -p "$shots"

# Xvfb chooses a free display number itself and writes it on descriptor 3
# once it accepts connections.
numberFile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null || true; rm -f "$numberFile"' EXIT
tries=0
until grep -q '^[0-9][0-9]*$' "$numberFile"; do
    tries=$((tries + 1))
    if [ $tries -gt 200 ] || ! kill -0 $server 2>/dev/null; then
        echo "make run: the private X server did not start" >&2
        exit 1
    fi
    sleep 0.05
done
export DISPLAY=":$(cat "$numberFile")"

# shoot PROGRAM SECONDS TITLE FILE [TITLE FILE ...]: runs PROGRAM, and after
# SECONDS saves each titled window as FILE.png.
shoot() {
    program=$1
    seconds=$2
    shift 2
    "$program" &
    pid=$!
    sleep "$seconds"
    while [ $# -ge 2 ]; do
        window=$(xdotool search --name "^$1\$" | head -n 1)
        if [ -n "$window" ] && import -window "$window" "$shots/$2.png"; then
            echo "$shots/$2.png"
        else
            echo "make run: no window titled \"$1\"" >&2
        fi
        shift 2
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

shoot "$demo" 3 Vestrane vestrane Valeurs valeurs
shoot "$build/examples/font_sheet/vestrane-font-sheet" 2 "Vestrane fonts" fonts
shoot "$build/examples/showcase/vestrane-showcase" 3 "Vestrane showcase" showcase
