#!/usr/bin/env bash
# Installs what is missing, builds Tesk in Release and plays the showcase demo.
# With a display the demo plays in a window (Escape ends it). Without one, it is
# captured frame by frame on a virtual X server into out/showcase-frames/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target tesk tesk_runtime  # the program and its data only

demo=examples/showcase.demo.ini
if [ -n "${DISPLAY:-}" ]; then
  exec build/tesk "$demo"
fi

frames="$PWD/out/showcase-frames"
rm -rf "$frames"
mkdir -p "$frames"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  build/tesk "$demo" -cap "$frames/showcase" -capfps 10 -display 640x360 -vsync 0 -userlog
echo "No display: captured the showcase demo to $(ls "$frames" | wc -l) frames in $frames"
