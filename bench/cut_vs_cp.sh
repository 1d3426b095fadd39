#!/usr/bin/env bash
# A cut run writing a whole recording as segment files must stay within 1.5 × of cp of it.
# Makes a 1 h 44.1 kHz 16-bit stereo WAV (≈ 635 MB) with sox, warms the page cache, then times
# one cp of it and one `pirvan-split cut` of it into 10 segments (the whole cut run: naming,
# writing, reading each file back, the record), and deletes everything again. One run of each,
# since the machine may be shared. Exit status 1 when the ratio is above 1.5.
#
#   BUILD_DIR=build bench/cut_vs_cp.sh [--writer] [--buffered]
#
# --writer also times the segment writer alone (bench_cut_segments); --buffered makes that
# writer copy through its buffer instead of copy_file_range.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
split="$build/src/cli/pirvan-split"
writer="$build/bench/bench_cut_segments"
[ -x "$split" ] || { echo "build first: $split is missing" >&2; exit 2; }
work="$(mktemp -d "${TMPDIR:-/var/tmp}/pirvan-bench-XXXXXX")"
trap 'rm -rf "$work"' EXIT
mkdir "$work/cp" "$work/cut" "$work/writer"

sox -n -r 44100 -c 2 -b 16 "$work/source.wav" synth 3600 sine 440 vol 0.5
cat "$work/source.wav" >/dev/null
sync

now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }

start=$(now)
cp "$work/source.wav" "$work/cp/"
cp_s=$(seconds "$start" "$(now)")
rm -f "$work/cp/source.wav"
sync

# Ten equal segments: 0, 6, 12, ... 54 minutes.
times=()
for i in $(seq 0 9); do times+=("$((i * 360000))"); done
start=$(now)
"$split" cut "$work/source.wav" --out "$work/cut" "${times[@]}" >/dev/null
cut_s=$(seconds "$start" "$(now)")
written=$(find "$work/cut" -name '*.wav' | wc -l)
rm -rf "$work/cut"
sync

ratio=$(awk -v c="$cut_s" -v p="$cp_s" 'BEGIN { printf "%.2f", c / p }')
echo "cp: ${cp_s} s   pirvan-split cut into ${written} files: ${cut_s} s   ratio: ${ratio} (goal <= 1.5)"

if [[ " $* " == *" --writer "* ]]; then
    extra=()
    [[ " $* " == *" --buffered "* ]] && extra+=(--buffered)
    writer_s=$("$writer" "$work/source.wav" "$work/writer" 10 "${extra[@]}")
    echo "segment writer alone${extra[*]:+ (buffered)}: ${writer_s} s"
fi
awk -v r="$ratio" 'BEGIN { exit !(r <= 1.5) }'
