# The modelling package's frame: a viewer in live mode that is sent frame 125
# shows what a viewer started at frame 125 shows.
tesk=$1
source_dir=$2
source "$(dirname "$0")/lib.sh"
export TESK_DRIVER=opengl
[ -n "${DISPLAY:-}" ] || { echo "needs an X display"; exit 1; }
sender="$(dirname "$tesk")/tools/tesk-sync-frame/tesk-sync-frame"
[ -x "$sender" ] || { fail "no frame sender at $sender"; finish; }
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cp -r "$source_dir/examples/scenes/orbit" "$work/orbit"
scene="$work/orbit/orbit.tscn"

# The picture below the status lines (whose frame rate text differs between runs).
scene_part() { # picture output
  /usr/bin/convert "$1" -crop 320x200+0+40 +repage "$2"
}
differing_pixels() { # picture picture
  /usr/bin/convert "$1" "$2" -compose difference -composite -threshold 6% -format '%[fx:int(mean*w*h)]' info:
}
# Starts a viewer with the given options and waits for its window to show the scene.
start_viewer() { # log options...
  local log=$1
  shift
  "$tesk" "$scene" -paused -noidleinactive -display 320x240 -vsync 0 "$@" >"$log" 2>&1 &
  pid=$!
  window=$(timeout 20 xdotool search --sync --pid "$pid" --name '^Tesk$' | head -n 1)
  [ -n "$window" ] || return 1
  wait_until 20 shows_scene "$work/first.png"
}
shows_scene() { # picture
  grab_window "$window" "$1" && [ "$(/usr/bin/convert "$1" -format '%k' info:)" -gt 50 ]
}
stop_viewer() {
  xdotool key --window "$window" Escape 2>/dev/null
  wait_until 10 bash -c "! kill -0 $pid 2>/dev/null" || fail "Escape did not end the viewer"
  wait "$pid"
  expect_code 0 $? "scene viewer"
  pid=
}
followed() { # picture
  grab_window "$window" "$1" && scene_part "$1" "$1" && [ "$(differing_pixels "$1" "$work/reference.png")" -lt 40 ]
}

start_viewer "$work/reference.log" -framestart 125 || fail "the viewer at frame 125 did not show the scene"
grab_window "$window" "$work/reference.png" && scene_part "$work/reference.png" "$work/reference.png"
stop_viewer

start_viewer "$work/live.log" -syncupdate || fail "the live viewer did not show the scene"
scene_part "$work/first.png" "$work/start.png"
[ "$(differing_pixels "$work/start.png" "$work/reference.png")" -gt 1000 ] ||
  fail "frame 0 and frame 125 look alike: the test cannot tell them apart"
"$sender" 125 "$window" >/dev/null || fail "the frame could not be sent"
wait_until 20 followed "$work/synced.png" || fail "the viewer did not follow frame 125"
kill -0 "$pid" 2>/dev/null || fail "the viewer ended on the frame message"
stop_viewer
expect_line "$work/live.log" "Tesk Engine scene viewer ended" "live viewer"
finish
