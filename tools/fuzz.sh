#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each for a
# bounded time on the seed corpus and the kept regression inputs: together
# about TESK_FUZZ_TOTAL_SECONDS (360 by default), split evenly between the
# targets, or TESK_FUZZ_SECONDS each when that is set. A crash, hang or sanitizer report fails the script;
# the input that caused it is left as build-fuzz/<target>-crash-* (and similar):
# fix the fault and keep the input in fuzz/regressions/.
set -euo pipefail
cd "$(dirname "$0")/.."

# Engine targets (fuzz/engine/): seeds and kept regressions per target.
engine_targets=(setup_file mesh_file demo_description demo_load scene_load packed_archive program_trailer script_commands joystick_stream utf8_cut)
target_count=$((3 + ${#engine_targets[@]}))
seconds=${TESK_FUZZ_SECONDS:-$(( ${TESK_FUZZ_TOTAL_SECONDS:-360} / target_count ))}
cmake -S fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Each target with its dictionary and seed folders.
run_target() {  # target dict (or "") corpus...
  local target=$1 dict=$2
  shift 2
  echo "== $target for ${seconds}s =="
  # New inputs go to a scratch folder; the committed corpus is only read.
  local work=build-fuzz/corpus-$target
  mkdir -p "$work"
  build-fuzz/$target -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
    -close_fd_mask=3 ${dict:+-dict="$dict"} -artifact_prefix="build-fuzz/$target-" -print_final_stats=1 \
    "$work" "$@"
}
run_target tf_read_fuzzer fuzz/tf.dict fuzz/corpus fuzz/regressions
run_target tf_roundtrip_fuzzer fuzz/tf.dict fuzz/corpus fuzz/regressions
run_target effect_header_fuzzer fuzz/effect.dict fuzz/effect_corpus
for name in "${engine_targets[@]}"; do
  folders=()  # libFuzzer stops at a folder that does not exist
  for folder in fuzz/engine/corpus/$name fuzz/engine/regressions/$name; do
    if [ -d "$folder" ]; then folders+=("$folder"); fi
  done
  run_target ${name}_fuzzer "" "${folders[@]}"
done
