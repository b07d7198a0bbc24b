#!/usr/bin/env bash
# Writes music/showcase.mp3: a 20-second arpeggio over a bass line, synthesised
# with sox and encoded with lame (both installed by tools/install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Five bars of four seconds: A minor, F, C, D minor, G.
chords=("A3 C4 E4 A4" "F3 A3 C4 F4" "C3 E3 G3 C4" "D3 F3 A3 D4" "G3 B3 D4 G4")
bass=("A2" "F2" "C2" "D2" "G2")
pieces=()
for bar in 0 1 2 3 4; do
  notes=(${chords[$bar]})
  for beat in $(seq 0 15); do
    note=${notes[$((beat % 4))]}
    out="$work/n_${bar}_${beat}.wav"
    sox -n -r 44100 -c 2 "$out" synth 0.25 pluck "$note" synth 0.25 pluck "${bass[$bar]}" \
      fade t 0 0.25 0.2 vol 0.5
    pieces+=("$out")
  done
done
sox "${pieces[@]}" "$work/tune.wav" reverb 30 norm -3
lame --quiet -b 96 "$work/tune.wav" music/showcase.mp3
echo "wrote music/showcase.mp3"
