#!/usr/bin/env bash
# The cost of the suggested silence settings: `pirvan-split suggest` (one pass building the peak
# profile) against `pirvan-split silences` (the six-setting detection, one pass) on one hour of
# 44.1 kHz 16-bit stereo, page cache warm. The two commands alternate, one run each per round
# (hyperfine), and the medians of RUNS rounds (default 9) are compared.
#
#   bench/suggest_vs_silences.sh [FILE.wav]
#
# Without FILE, an hour of pink noise with a quiet gap every three minutes is made with sox in
# $TMPDIR (or /tmp) and deleted at the end. Needs a built pirvan-split (BUILD_DIR, default
# build), sox, hyperfine and python3.
set -euo pipefail
cd "$(dirname "$0")/.."
split="${BUILD_DIR:-build}/src/cli/pirvan-split"
runs="${RUNS:-9}"
for tool in "$split" hyperfine python3; do
    command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 2; }
done

file="${1:-}"
made=""
work="$(mktemp -d)"
trap 'rm -rf "$work" ${made:+"$made"}' EXIT
if [ -z "$file" ]; then
    command -v sox >/dev/null || { echo "missing: sox" >&2; exit 2; }
    file="$(mktemp "${TMPDIR:-/tmp}/pirvan-bench-XXXXXX.wav")"
    made="$file"
    echo "making one hour of pink noise with gaps in $file ..."
    sox -n -r 44100 -c 2 -b 16 "$work/piece.wav" synth 178 pinknoise vol 0.3
    sox -n -r 44100 -c 2 -b 16 "$work/gap.wav" synth 2 whitenoise vol 0.002
    parts=()
    for _ in $(seq 20); do parts+=("$work/piece.wav" "$work/gap.wav"); done
    sox "${parts[@]}" "$file"
fi
cat "$file" >/dev/null # warm the page cache

for i in $(seq "$runs"); do
    hyperfine -N -r 1 --style none --export-json "$work/round$i.json" \
        "$split silences $file" "$split suggest $file" >/dev/null
done
python3 - "$work" "$runs" <<'PY'
import json, statistics, sys
work, runs = sys.argv[1], int(sys.argv[2])
times = {}
for i in range(1, runs + 1):
    for r in json.load(open(f"{work}/round{i}.json"))["results"]:
        times.setdefault(r["command"].split()[1], []).append(r["times"][0])
silences, suggest = (statistics.median(times[c]) for c in ("silences", "suggest"))
print(f"median of {runs} alternating rounds")
print(f"pirvan-split silences  {silences:.3f} s")
print(f"pirvan-split suggest   {suggest:.3f} s   ({suggest / silences:.2f} x silences)")
PY
