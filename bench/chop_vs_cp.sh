#!/usr/bin/env bash
# A chop of a whole recording into 1-minute pieces, and a cut run of it into 10 segments, each
# paired with cp of the same file in one run: hyperfine times the commands in alternating
# rounds (one run of each per round, the order turning), and the medians over the rounds are
# compared. Goal: at most 1.4 × cp, aim 1.25 ×.
#
#   BUILD_DIR=build bench/chop_vs_cp.sh [ROUNDS] [--methods]
#
# Makes a 1 h 44.1 kHz 16-bit stereo WAV with sox (≈ 635 MB), warms the page cache, and
# deletes everything again. --methods also times the segment writer alone (bench_cut_segments,
# 10 segments, without the cut run's naming and record) and the copy methods alone
# (bench_copy_methods): in the kernel and through the page-aligned buffer, with source and output
# offsets alike on the page grid (44 → 44, as a chop piece) and not (44 → 46, as a segment file).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
rounds="${1:-5}"
split="$(realpath "$build/src/cli/pirvan-split")"
copier="$(realpath "$build/bench/bench_copy_methods")"
writer="$(realpath "$build/bench/bench_cut_segments")"
[ -x "$split" ] || { echo "build first: $split is missing" >&2; exit 2; }
work="$(mktemp -d "${TMPDIR:-/var/tmp}/pirvan-bench-XXXXXX")"
trap 'rm -rf "$work"' EXIT

sox -n -r 44100 -c 2 -b 16 "$work/source.wav" synth 3600 sine 440 vol 0.5
cat "$work/source.wav" >/dev/null

declare -A commands=(
    [cp]="cp $work/source.wav $work/out/"
    [chop]="$split chop $work/source.wav --out $work/out --mode 12"
    [cut]="$split cut $work/source.wav --out $work/out $(seq -s ' ' 0 360000 3240000)"
)
names=(cp chop cut)
if [[ " $* " == *" --methods "* ]]; then
    commands[writer]="$writer $work/source.wav $work/out 10"
    names+=(writer)
    for m in kernel buffer; do
        commands[$m-44-44]="$copier $work/source.wav $work/out/x 44 44 $m"
        commands[$m-44-46]="$copier $work/source.wav $work/out/x 44 46 $m"
        names+=("$m-44-44" "$m-44-46")
    done
fi

# Each run starts with an empty output folder and no dirty pages of the run before.
for r in $(seq 1 "$rounds"); do
    n=${#names[@]}
    for i in $(seq 0 $((n - 1))); do
        name=${names[$(((i + r) % n))]}
        hyperfine --runs 1 --style none --prepare "rm -rf $work/out; mkdir $work/out; sync" \
            --export-json "$work/$name-$r.json" "${commands[$name]}" >/dev/null
    done
done

python3 - "$work" "${names[@]}" <<'PY'
import json, statistics, sys, glob
work, names = sys.argv[1], sys.argv[2:]
median = {}
for name in names:
    times = [json.load(open(f))["results"][0]["mean"] for f in glob.glob(f"{work}/{name}-*.json")]
    median[name] = statistics.median(times)
for name in names:
    print(f"{name:16s} median {median[name]:.3f} s   {median[name] / median['cp']:.2f} x cp")
PY
