#!/bin/sh
# make run: with a display, opens the demo. Without one, runs the programs
# for a few seconds on a private X server, saves a screenshot of each of
# their windows under <build>/screenshots/ and prints the paths. The
# pictures in docs/images/ are these screenshots, under the same names.
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
start_private_x 1600x1200x24 || { echo "make run: the private X server did not start" >&2; exit 1; }

# shoot PROGRAM SECONDS TITLE FILE [TITLE FILE ...]: runs PROGRAM, and after
# SECONDS (and a left click at "$shoot_click" of the first window, when set)
# saves each titled window as FILE.png.
shoot_click=""
shoot() {
    program=$1
    seconds=$2
    shift 2
    "$program" &
    pid=$!
    sleep "$seconds"
    if [ -n "$shoot_click" ]; then
        window=$(xdotool search --name "^$1\$" | head -n 1)
        [ -n "$window" ] && xdotool mousemove --window "$window" $shoot_click click 1 && sleep 1
    fi
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
# The showcase as on a HiDPI screen, text scale 2 (a window twice as large),
# with a point of the teapot marked.
export VESTRANE_TEXT_SCALE=2
shoot_click="660 500"
shoot "$build/examples/showcase/vestrane-showcase" 3 "Vestrane showcase" showcase
shoot_click=""
unset VESTRANE_TEXT_SCALE

# gallery NAME [--click X Y] [--with ARGUMENTS SHOT] TITLE [TITLE ...]: runs
# the example vestrane-NAME (built from examples/NAME/NAME.c; an underscore of
# NAME is a hyphen in the program's name), left-clicks at (X, Y) of its first
# window when asked, and saves its windows, side by side, as NAME.png; with
# --with, runs it with those arguments and saves them as SHOT.png instead.
gallery() {
    name=$1
    shift
    click=""
    if [ "$1" = --click ]; then
        click="$2 $3"
        shift 3
    fi
    arguments=""
    program="$build/examples/vestrane-$(echo "$name" | tr _ -)"
    if [ "$1" = --with ]; then
        arguments=$2
        name=$3
        shift 3
    fi
    # The arguments unquoted: split into words.
    "$program" $arguments &
    pid=$!
    sleep 2
    if [ -n "$click" ]; then
        window=$(xdotool search --name "^$1\$" | head -n 1)
        [ -n "$window" ] && xdotool mousemove --window "$window" $click click 1 && sleep 1
    fi
    index=0
    for title in "$@"; do
        window=$(xdotool search --name "^$title\$" | head -n 1)
        if [ -z "$window" ] || ! import -window "$window" "$shots/$name.$index.png"; then
            echo "make run: no window titled \"$title\"" >&2
        fi
        index=$((index + 1))
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    # One window's picture is taken as it is; several stand in a row with a
    # gap between them.
    if [ "$index" -eq 1 ]; then
        mv "$shots/$name.0.png" "$shots/$name.png" 2>/dev/null || return 0
    elif ! convert "$shots/$name".[0-9]*.png -background "#404040" -splice 8x0 +append \
        -chop 8x0 "$shots/$name.png"; then
        return 0
    fi
    rm -f "$shots/$name".[0-9]*.png
    echo "$shots/$name.png"
}

gallery hello "Vestrane hello"
gallery plot "Vestrane plot"
gallery heatmap "Vestrane heatmap"
gallery two_windows "Vestrane orthographic" "Vestrane perspective"
gallery picking --click 165 170 "Vestrane picking"
gallery labels "Vestrane labels"
# The same map with 1,000 more labels, drawn in one batch.
gallery labels --with --many labels_many "Vestrane labels"
# Text in a GLFW window's 3.3 core-profile context, then the same program in
# an OpenGL ES 3.0 context made through EGL (glfw_labels_es.png); built only
# where GLFW is found.
if [ -x "$build/examples/vestrane-glfw-labels" ]; then
    gallery glfw_labels "Vestrane GLFW labels"
    gallery glfw_labels --with --es glfw_labels_es "Vestrane GLFW labels"
fi
