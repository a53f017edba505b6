#!/bin/sh
# frame_rate.sh [build-dir] - the demo against two plain-freeglut peers
# drawing the same scene, frame for frame.
#
# Builds the demo, the peer (bench/peers/values_peer.c) and the swap
# counter (scripts/swap_counter.c), starts one private X server, and runs,
# alternately, ROUNDS rounds (default 5) of: the demo; the peer with its
# two lines drawn by glutBitmapString; the peer with its two lines drawn through display lists
# of one glBitmap a character. Each run's main-window buffer swaps are
# counted for COUNT_SECONDS seconds (default 3) after a one-second warm-up.
# Prints every run, the medians in frames per second, and the demo's
# median over each peer's.
set -eu

cd "$(dirname "$0")/.."  # the source tree; a relative build-dir is taken from there
build_dir=${1:-build}
rounds=${ROUNDS:-5}
seconds=${COUNT_SECONDS:-3}

cmake -S . -B "$build_dir" -DVESTRANE_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build_dir" --target vestrane vestrane_peer vestrane_swap_counter >/dev/null

demo=$build_dir/demo/vestrane
peer=$build_dir/bench/vestrane_peer
counter=$(cd "$build_dir/bench" && pwd)/libvestrane_swap_counter.so

. scripts/private-x.sh
work=$(mktemp -d)
cleanup() {
    stop_private_x
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# A private X server; never the user's.
start_private_x 640x480x24 || { echo "frame_rate.sh: Xvfb did not start" >&2; exit 1; }

# Frames per second of one run of the program given as arguments.
frames_per_second() {
    rm -f "$work/count"
    VESTRANE_SWAP_COUNT_FILE=$work/count VESTRANE_SWAP_COUNT_SECONDS=$seconds \
        timeout $((seconds + 20)) env LD_PRELOAD="$counter" "$@" >/dev/null 2>&1 || true
    if [ ! -s "$work/count" ]; then
        echo "frame_rate.sh: no count from $*" >&2
        exit 1
    fi
    awk -v swaps="$(cat "$work/count")" -v seconds="$seconds" \
        'BEGIN { printf "%.1f", swaps / seconds }'
}

median() {
    sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo "frames per second, $rounds alternating rounds of $seconds s each:"
round=1
while [ "$round" -le "$rounds" ]; do
    d=$(frames_per_second "$demo")
    s=$(frames_per_second "$peer")
    l=$(frames_per_second "$peer" --lists)
    echo "$d" >>"$work/demo"
    echo "$s" >>"$work/string"
    echo "$l" >>"$work/lists"
    printf '  round %d: demo %7s   peer, glutBitmapString %7s   peer, display lists %7s\n' \
        "$round" "$d" "$s" "$l"
    round=$((round + 1))
done

demo_median=$(median "$work/demo")
string_median=$(median "$work/string")
lists_median=$(median "$work/lists")
awk -v d="$demo_median" -v s="$string_median" -v l="$lists_median" 'BEGIN {
    printf "medians: demo %.1f, peer with glutBitmapString %.1f, peer with display lists %.1f\n", d, s, l
    printf "demo / peer with glutBitmapString = %.2f\n", d / s
    printf "demo / peer with display lists    = %.2f\n", d / l
}'
