#!/usr/bin/env bash
# Builds in Release and runs every benchmark. Each benchmark program measures
# its subject beside a baseline in the same run; compare the pairs as ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
# Benchmarks that draw need an X display: without one they run under Xvfb.
display=()
if [[ -z "${DISPLAY:-}" ]] && command -v xvfb-run >/dev/null; then
  display=(xvfb-run -a -s "-screen 0 1280x1024x24 -noreset")
fi
for bench in build/bench/*_bench; do
  echo "== $(basename "$bench") =="
  "${display[@]}" "$bench" "$@"
done
