# Live mode as the artist sees it: the viewer shows a copy of the orbit scene;
# the exporter rewrites the file with the torus moved up and to the right, and
# the window shows the torus at its new place.
tesk=$1
source_dir=$2
source "$(dirname "$0")/lib.sh"
export TESK_DRIVER=opengl
[ -n "${DISPLAY:-}" ] || { echo "needs an X display"; exit 1; }
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cp -r "$source_dir/examples/scenes/orbit" "$work/orbit"
scene="$work/orbit/orbit.tscn"
log="$work/log.txt"

# Share of warm (torus-coloured) pixels in a region of a picture; the ground,
# the sky and the cubes are all cool.
warm_share() { # picture region
  /usr/bin/convert "$1" -crop "$2" +repage -fx 'r>b+0.15?1:0' -format '%[fx:mean]' info: 2>/dev/null
}
old_place=30x20+110+85  # left part of the torus where the scene puts it
new_place=30x20+215+55  # right part of the torus once it has moved
share_above() { # picture region share
  grab_window "$window" "$1" && awk -v s="$(warm_share "$1" "$2")" -v t="$3" 'BEGIN { exit !(s > t) }'
}

"$tesk" "$scene" -syncupdate -paused -noidleinactive -display 320x240 -vsync 0 >"$log" 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --name '^Tesk$' | head -n 1)
[ -n "$window" ] || { fail "no window titled Tesk appeared"; finish; }
wait_until 20 share_above "$work/before.png" "$old_place" 0.3 || fail "the torus is not where the scene puts it"

sed 's/^position FP 0 2 0$/position FP 7 5 0/' "$scene" > "$work/moved.tscn"
grep -q '^position FP 7 5 0$' "$work/moved.tscn" || fail "the torus line was not found in the scene"
cat "$work/moved.tscn" > "$scene"  # rewritten in place, as the exporter does

wait_until 20 share_above "$work/after.png" "$new_place" 0.3 || fail "the torus did not appear at its new place"
awk -v s="$(warm_share "$work/after.png" "$old_place")" 'BEGIN { exit !(s < 0.05) }' ||
  fail "the torus is still at its old place"

xdotool key --window "$window" Escape 2>/dev/null
wait_until 10 bash -c "! kill -0 $pid 2>/dev/null" || fail "Escape did not end the viewer"
wait "$pid"
expect_code 0 $? "scene viewer"
pid=
expect_line "$log" "Tesk Engine scene viewer started" "scene viewer"
expect_line "$log" "Update Scene..." "live update"
expect_line "$log" "Tesk Engine scene viewer ended" "scene viewer"
grep -q "UPDATE SCENE FAILED" "$log" && fail "the update was reported as failed"
finish
