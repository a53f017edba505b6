#!/bin/sh
# make soak: runs the demo for MINUTES (default 10) on a private X server
# while it sends bursts of random keys (never Escape) to both windows and
# resizes both to random sizes, 1 x 1, 1 x 1000 and 1000 x 1 among them.
# Counts the main window's frames (scripts/swap_counter.c, preloaded) and
# samples the demo's resident memory every 10 s. At the end the demo must be
# alive, animate, show a lit sphere, and end with status 0 on Escape.
# Prints one line: frames, key events, resizes, RSS first / max / last.
#
# Usage: scripts/soak.sh [build-dir] [minutes]   (a sanitizer build works too)
set -eu

build=${1:-build}
minutes=${2:-10}
demo="$build/demo/vestrane"
here=$(dirname "$0")
[ -x "$demo" ] || { echo "soak: no demo at $demo (build first)" >&2; exit 1; }

. "$here/private-x.sh"
work=$(mktemp -d)
pid=""
cleanup() {
    set +e
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    stop_private_x
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "soak: $*" >&2
    [ -s "$work/demo.log" ] && sed 's/^/  demo: /' "$work/demo.log" | tail -n 40 >&2
    exit 1
}

cc -shared -fPIC -o "$work/swap_counter.so" "$here/swap_counter.c" -ldl

# A private X server on a display number of its own choosing.
start_private_x || fail "the X server did not start"

# The sanitizer build: the GL driver's leaks are not ours (see tests/lsan.supp).
preload="$work/swap_counter.so"
if [ -e "$build/tests/libvestrane_keep_loaded.so" ]; then
    preload="$preload $(cd "$build/tests" && pwd)/libvestrane_keep_loaded.so"
    export ASAN_OPTIONS=verify_asan_link_order=0
    export LSAN_OPTIONS="suppressions=$(cd "$here/../tests" && pwd)/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
VESTRANE_SWAP_COUNT_FILE="$work/swaps" LD_PRELOAD="$preload" "$demo" >"$work/demo.log" 2>&1 &
pid=$!

window() {
    tries=0
    until id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ]; do
        tries=$((tries + 1))
        [ $tries -le 200 ] || fail "no window \"$1\""
        sleep 0.05
    done
    echo "$id"
}
main=$(window Vestrane)
values=$(window Valeurs)

alive() { kill -0 "$pid" 2>/dev/null; }
rss() { awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status"; }
swaps() { tr -d ' \n' <"$work/swaps" 2>/dev/null || echo 0; }
random() { od -An -N4 -tu4 /dev/urandom | tr -d ' '; }  # 0 .. 2^32-1
# Keys the demo and the view react to, and others; Ctrl only on letters,
# so that no Ctrl+[ or Ctrl+3 turns into an Escape.
keyNames="x y z X Y Z Return space shift+Return shift+space Tab BackSpace Delete a q 0 1 9
minus equal comma period slash Left Right Up Down Prior Next Home End F1 F5 F12
ctrl+x ctrl+y ctrl+a alt+x alt+Return ctrl+shift+z shift+alt+y"
pick() {  # pick WORD...: one of the words at random
    eval "echo \${$(($(random) % $# + 1))}"
}

keys=0
resizes=0
rssFirst=$(rss)
rssMax=$rssFirst
rssLast=$rssFirst
start=$(date +%s)
nextSample=$((start + 10))
end=$((start + minutes * 60))
while [ "$(date +%s)" -lt "$end" ]; do
    alive || fail "the demo ended during the soak"
    for target in "$main" "$values"; do
        burst=""
        count=$((1 + $(random) % 12))
        i=0
        while [ $i -lt $count ]; do
            burst="$burst $(pick $keyNames)"
            i=$((i + 1))
        done
        # (0, 0) lies inside the window at any size; the keys go there.
        xdotool windowraise "$target" mousemove --window "$target" 0 0 \
            key --delay 2 $burst || alive || fail "the demo ended during the soak"
        keys=$((keys + count))
        case $(($(random) % 7)) in
        0) size="1 1" ;;
        1) size="1 1000" ;;
        2) size="1000 1" ;;
        3) size="$((1 + $(random) % 900)) $((1 + $(random) % 900))" ;;
        4) [ "$target" = "$main" ] && size="250 250" || size="330 50" ;;  # back
        *) size="" ;;
        esac
        if [ -n "$size" ]; then
            xdotool windowsize "$target" $size || alive || fail "the demo ended during the soak"
            resizes=$((resizes + 1))
        fi
    done
    sleep 0.1
    if [ "$(date +%s)" -ge "$nextSample" ]; then
        alive || fail "the demo ended during the soak"
        rssLast=$(rss)
        [ "$rssLast" -gt "$rssMax" ] && rssMax=$rssLast
        nextSample=$((nextSample + 10))
    fi
done

# Back to the start sizes; then it must still animate and light the sphere.
xdotool windowsize "$main" 250 250 windowsize "$values" 330 50
resizes=$((resizes + 2))
sleep 1
alive || fail "the demo ended during the soak"
shot() { import -window "$main" -depth 8 "rgb:$work/$1"; }
animates() {
    shot a.rgb && sleep 0.5 && shot b.rgb && ! cmp -s "$work/a.rgb" "$work/b.rgb"
}
if ! animates; then  # paused by the last space: resume once
    xdotool windowraise "$main" mousemove --window "$main" 10 10 key space
    keys=$((keys + 1))
    sleep 0.5
    animates || fail "the picture no longer changes"
fi
# The centre pixel: the sphere, not the grey (127, 127, 127) background.
centre=$(od -An -tu1 -j $(((125 * 250 + 125) * 3)) -N3 "$work/b.rgb" | tr -s ' ')
[ "$centre" != " 127 127 127" ] && [ "$centre" != " 128 128 128" ] ||
    fail "no sphere in the middle of the window (pixel$centre)"

xdotool mousemove --window "$main" 10 10 key Escape
keys=$((keys + 1))
tries=0
while alive && [ $tries -lt 600 ]; do
    sleep 0.1
    tries=$((tries + 1))
done
alive && fail "the demo did not end on Escape"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the demo ended with status $status"
rssLast=$(awk -v kb="$rssLast" 'BEGIN { printf "%.1f", kb / 1024 }')
echo "soak: $minutes min, $(swaps) frames, $keys key events," \
    "$resizes resizes, RSS first / max / last" \
    "$(awk -v kb="$rssFirst" 'BEGIN { printf "%.1f", kb / 1024 }') /" \
    "$(awk -v kb="$rssMax" 'BEGIN { printf "%.1f", kb / 1024 }') / $rssLast MB"
