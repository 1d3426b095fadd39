#!/usr/bin/env bash
# The overview's envelope of one hour of 44.1 kHz 16-bit stereo (about 635 MB, page cache warm)
# against the silence detection of the same file: `pirvan-split overview` (1280 columns, PNG
# written) and `pirvan-split silences`, in ROUNDS rounds of hyperfine, each round running both
# commands in turn, so a change in the machine's load falls on both. Prints the median of every
# run of each and the ratio. Goal: the envelope takes at most 2 × the silence detection.
#
#   bench/overview_vs_silences.sh [FILE.wav]
#
# Without FILE, an hour of pink noise is made with sox in $TMPDIR (or /tmp) and deleted at the
# end. Needs a built pirvan-split (BUILD_DIR, default build), sox, hyperfine and python3.
set -euo pipefail
cd "$(dirname "$0")/.."
split="$(realpath "${BUILD_DIR:-build}/src/cli/pirvan-split")"
rounds="${ROUNDS:-5}"
source bench/common.sh
need "$split" hyperfine python3
work="$(mktemp -d "${TMPDIR:-/tmp}/pirvan-overview-XXXXXX")"
trap 'rm -rf "$work"' EXIT
hour_file "$work" "${1:-}"
for round in $(seq "$rounds"); do
    hyperfine -N --warmup 1 --runs 3 --export-json "$work/round$round.json" \
        "$split overview $file --png $work/o.png" "$split silences $file" >/dev/null
done
python3 - "$work" "$rounds" <<'PY'
import json, statistics, sys
work, rounds = sys.argv[1], int(sys.argv[2])
times = {}
for r in range(1, rounds + 1):
    for result in json.load(open(f"{work}/round{r}.json"))["results"]:
        times.setdefault(result["command"].split()[1], []).extend(result["times"])
overview = statistics.median(times["overview"])
silences = statistics.median(times["silences"])
print(f"overview  median {overview:.3f} s over {len(times['overview'])} runs")
print(f"silences  median {silences:.3f} s over {len(times['silences'])} runs")
print(f"ratio     {overview / silences:.2f} x (goal: at most 2 x)")
PY
