#!/usr/bin/env bash
# Installs what is missing, builds Tesk in Release and runs it on the bundled example.
# With a display the example opens in a window (Escape ends it). Without one, it
# runs on a virtual X server, and a picture of the window is saved under out/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"

example=examples/objects/torus.obj
if [ -n "${DISPLAY:-}" ]; then
  exec build/tesk "$example"
fi

mkdir -p out
picture="$PWD/out/torus.png"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  build/tesk "$1" -vsync 0 &
  pid=$!
  window=$(timeout 30 xdotool search --sync --name "^Tesk$" | head -n 1)
  sleep 1
  xwd -id "$window" -silent | /usr/bin/convert xwd:- "$2"
  xdotool key Escape
  wait $pid
' _ "$example" "$picture"
echo "No display: ran the object viewer on a virtual X server. Picture of its window: $picture"
