#!/bin/sh
# Static analysis of the library, the demo and the examples (make analyse;
# CI runs it after make test): clang-tidy with the checks of .clang-tidy and
# cppcheck (warning, performance, portability), both through the compile
# commands of a clang build configured in ANALYSE_DIR (build-analyse). Every
# C and C++ source under support/, demo/ and examples/ that the build
# compiles is analysed; tests and benchmarks are not. Prints each tool's
# findings and their count; exits 1 on any finding.
#
#   sh scripts/analyse.sh    JOBS=n: the analysers' parallel jobs (2);
#                            CMAKE_FLAGS: more options for the configuration
#                            (a module built only on request is analysed
#                            only when requested here)
#
# A finding is fixed in the code. A false alarm the code cannot reasonably
# avoid is silenced at its line, with the reason in the same comment:
#   // NOLINT(check-name): why     for clang-tidy
#   // cppcheck-suppress id ; why  for cppcheck (on the line above)
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
dir=${ANALYSE_DIR:-build-analyse}
jobs=${JOBS:-2}

sh scripts/install-deps.sh clang clang-tidy cppcheck python3

# Configuring is enough: the only generated header (support/version.h) is
# written then, and the analysers compile for themselves.
CC=clang CXX=clang++ cmake -S . -B "$dir" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
    -DVESTRANE_BUILD_DEMO=ON -DVESTRANE_BUILD_TESTS=OFF -DVESTRANE_BUILD_BENCHMARKS=OFF \
    -DVESTRANE_SHARED=ON ${CMAKE_FLAGS:-} >/dev/null

# The compile commands of the analysed folders only, for both tools.
mkdir -p "$dir/analysed"
python3 - "$root" "$dir/compile_commands.json" "$dir/analysed/compile_commands.json" <<'EOF'
import json, os, sys
root, source, target = sys.argv[1:]
folders = tuple(os.path.join(root, folder) + os.sep for folder in ("support", "demo", "examples"))
entries = [e for e in json.load(open(source))
           if os.path.join(e["directory"], e["file"]).startswith(folders)]
json.dump(entries, open(target, "w"), indent=1)
print(f"analysing {len(entries)} files under support/, demo/ and examples/")
if not entries:
    sys.exit("no files to analyse")
EOF

# A finding is a line "file:line:column: severity: message [name]"; one in a
# header shows once for every file that includes it, and counts once.
count_findings() {
    sed 's/\x1b\[[0-9;]*m//g' "$1" | grep -E '^[^ :]+:[0-9]+:[0-9]+: [a-z]+: .*\[[^]]+\]$' |
        sort -u >"$1.findings" || true
    wc -l <"$1.findings" | tr -d ' '
}

# report NAME LOG STATUS: prints the tool's findings and sets COUNT to their
# number; a tool that failed without a finding shows all it said and fails
# the analysis.
report() {
    COUNT=$(count_findings "$2")
    cat "$2.findings"
    if [ "$3" -ne 0 ] && [ "$COUNT" -eq 0 ]; then
        cat "$2"
        echo "$1 failed (exit status $3)"
        status=1
    fi
}

status=0

echo "clang-tidy ($(clang-tidy --version | sed -n 's/.*version \([0-9.]*\).*/\1/p'))..."
tidy_status=0
run-clang-tidy -p "$dir/analysed" -j "$jobs" -quiet \
    -header-filter="^$root/(support|demo|examples)/" >"$dir/clang-tidy.log" 2>&1 || tidy_status=$?
report clang-tidy "$dir/clang-tidy.log" "$tidy_status"
tidy_count=$COUNT

echo "cppcheck ($(cppcheck --version | sed 's/^Cppcheck //'))..."
cppcheck_status=0
cppcheck --project="$dir/analysed/compile_commands.json" -j "$jobs" -q \
    --enable=warning,performance,portability --inline-suppr --error-exitcode=1 \
    --library=opengl --library=posix \
    --template='{file}:{line}:{column}: {severity}: {message} [{id}]' \
    >"$dir/cppcheck.log" 2>&1 || cppcheck_status=$?
report cppcheck "$dir/cppcheck.log" "$cppcheck_status"
cppcheck_count=$COUNT

echo "clang-tidy: $tidy_count findings"
echo "cppcheck: $cppcheck_count findings"
if [ "$tidy_count" -ne 0 ] || [ "$cppcheck_count" -ne 0 ]; then
    status=1
fi
[ "$status" -eq 0 ] && echo "static analysis: no findings"
exit "$status"
