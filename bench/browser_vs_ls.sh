#!/usr/bin/env bash
# The browser lists a folder of 20,000 files into the file list in well under a second, measured
# against `ls -l` of the same folder in the same run.
#
#   BUILD_DIR=build bench/browser_vs_ls.sh [FILES=20000] [ROUNDS=10]
#
# Makes a folder of FILES files of varied sizes and dates (a tenth of them not WAV), warms the
# directory cache, then alternates the two commands ROUNDS times (one hyperfine run of each per
# round) and prints the median of each and their ratio. bench_browser_listing times the core
# listing (enter, one read, one stat per file, all column texts, name sort);
# bench_gui_file_list the same filled into ListView1 and painted. Exit status 1 when a median
# is not under one second.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
files="${1:-20000}"
rounds="${2:-10}"
commands=("$build/bench/bench_browser_listing")
[ -x "$build/bench/bench_gui_file_list" ] && commands+=("$build/bench/bench_gui_file_list")
for tool in "${commands[@]}" hyperfine jq; do
    command -v "$tool" >/dev/null || { echo "missing: $tool (build first)" >&2; exit 2; }
done
work="$(mktemp -d "${TMPDIR:-/var/tmp}/pirvan-bench-XXXXXX")"
trap 'rm -rf "$work"' EXIT
folder="$work/many"
mkdir "$folder"
python3 - "$folder" "$files" <<'PY'
import os, sys
folder, count = sys.argv[1], int(sys.argv[2])
for i in range(count):
    name = f"take {i:05d}.{'txt' if i % 10 == 9 else 'wav'}"
    path = os.path.join(folder, name)
    with open(path, "wb") as f:
        f.truncate((i * 7919) % 5_000_000)
    os.utime(path, (1_600_000_000 + i * 3600, 1_600_000_000 + i * 3600))
PY
ls -l "$folder" >/dev/null

declare -A times
labels=("ls -l" "${commands[@]##*/}")
for _ in $(seq "$rounds"); do
    json="$work/round.json"
    hyperfine -N --runs 1 --style none --export-json "$json" \
        "ls -l $folder" "${commands[@]/%/ $folder}" >/dev/null 2>&1
    for i in "${!labels[@]}"; do
        times[$i]+="$(jq ".results[$i].mean" "$json") "
    done
done

median() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
ls_median=$(echo "${times[0]}" | median)
status=0
printf "%-24s median %.3f s\n" "ls -l ($files files)" "$ls_median"
for i in "${!labels[@]}"; do
    [ "$i" = 0 ] && continue
    m=$(echo "${times[$i]}" | median)
    printf "%-24s median %.3f s   %.2f × ls -l\n" "${labels[$i]}" "$m" \
        "$(awk -v a="$m" -v b="$ls_median" 'BEGIN { print a / b }')"
    awk -v m="$m" 'BEGIN { exit !(m < 1.0) }' || status=1
done
exit $status
