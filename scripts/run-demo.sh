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

. "$(dirname "$0")/private-x.sh"
trap stop_private_x EXIT
start_private_x || { echo "make run: the private X server did not start" >&2; exit 1; }

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
