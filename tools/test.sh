#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: unit tests on
# the null driver, drawing and end-to-end tests under an X server (Xvfb when there
# is no display), then the suite again under AddressSanitizer + UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

jobs=$(nproc)
run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  if [ -n "${DISPLAY:-}" ]; then
    (cd "$dir" && ctest --output-on-failure -j"$jobs")
  else
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c "cd '$dir' && ctest --output-on-failure -j$jobs"
  fi
}

echo "== Release build and tests =="
run_suite build
echo "== Fuzzing the scene file reader and writers (bounded time) =="
bash tools/fuzz.sh
echo "== AddressSanitizer + UndefinedBehaviorSanitizer build and tests =="
# Leak checking is off: the GL driver and X libraries keep process-lifetime allocations.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_suite build-asan -DTESK_SANITIZE=ON -DTESK_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
