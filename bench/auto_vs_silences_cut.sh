#!/usr/bin/env bash
# `pirvan-split auto` must take at most the time of `silences --format labels` followed by
# `cut --from` on the same recording: it reads the recording once for the detection and hands
# the list straight to the cut, where the two commands run by hand start twice, read the header
# twice and pass the list through a file.
#
# Makes one hour of 44.1 kHz 16-bit stereo (≈ 635 MB) with sox: 20 songs of 178 s of pink noise,
# each followed by 2 s of silence. Warms the page cache, then alternates the two ways ROUNDS
# times (default 5; one hyperfine run of each per round, every output folder emptied before
# each run, the order flipped every round) and prints the median of each, wall and CPU (user +
# system), and the ratio of the wall medians. Exit status 1 when auto is slower.
#
#   BUILD_DIR=build bench/auto_vs_silences_cut.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
split="$(realpath "$build/src/cli/pirvan-split")"
rounds="${1:-5}"
for tool in "$split" sox hyperfine jq; do
    command -v "$tool" >/dev/null || { echo "missing: $tool (build first)" >&2; exit 2; }
done
work="$(mktemp -d "${TMPDIR:-/var/tmp}/pirvan-bench-XXXXXX")"
trap 'rm -rf "$work"' EXIT

sox -n -r 44100 -c 2 -b 16 "$work/rec.wav" synth 178 pinknoise vol 0.3 pad 0 2 repeat 19
cat "$work/rec.wav" >/dev/null

auto="$split auto $work/rec.wav --out $work/auto"
by_hand="$split silences $work/rec.wav --format labels > $work/rec.txt && \
$split cut $work/rec.wav --out $work/hand --from $work/rec.txt"
pieces=$("$split" auto "$work/rec.wav" --dry-run | wc -l)
times_auto=""
times_hand=""
cpu_auto=""
cpu_hand=""
for round in $(seq "$rounds"); do
    # Whichever runs second meets the page cache and the disk as the first left them: the
    # order flips every round.
    json="$work/round.json"
    if ((round % 2)); then
        order=("$auto" "$by_hand") a=0 h=1
    else
        order=("$by_hand" "$auto") a=1 h=0
    fi
    hyperfine --runs 1 --style none --export-json "$json" \
        --prepare "rm -rf $work/auto $work/hand; sync" "${order[@]}" >/dev/null 2>&1
    times_auto+="$(jq ".results[$a].mean" "$json") "
    times_hand+="$(jq ".results[$h].mean" "$json") "
    cpu_auto+="$(jq ".results[$a].user + .results[$a].system" "$json") "
    cpu_hand+="$(jq ".results[$h].user + .results[$h].system" "$json") "
done

median() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
a=$(echo "$times_auto" | median)
h=$(echo "$times_hand" | median)
printf "pirvan-split auto                  median %.3f s   CPU %.3f s\n" "$a" \
    "$(echo "$cpu_auto" | median)"
printf "silences --format labels + cut     median %.3f s   CPU %.3f s   (%s pieces)\n" "$h" \
    "$(echo "$cpu_hand" | median)" "$pieces"
printf "ratio auto / by hand               %.2f (goal <= 1.00)\n" "$(awk -v a="$a" -v h="$h" 'BEGIN { print a / h }')"
awk -v a="$a" -v h="$h" 'BEGIN { exit !(a <= h) }'
