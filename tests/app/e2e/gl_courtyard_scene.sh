# The courtyard, lit by shadow-casting lights: a capture plays without a
# complaint, the glowing orb shows over the lit paving and the camera swings
# round it; its script toggles shadows, fuzz and the debug view from the keys.
tesk=$1
source_dir=$2
source "$(dirname "$0")/lib.sh"
enter_gl_scratch
scene_dir="$source_dir/examples/scenes/courtyard"
printf '[part1]\ntime = 0\ndirectory = %s\nfilename = courtyard.tscn\n[part2]\ntime = 4000\n' "$scene_dir" \
  > "$work/courtyard.demo.ini"
(cd "$work" && "$tesk" courtyard.demo.ini -cap "$work/frame" -capfps 4 -display 160x90 -vsync 0 >"$work/log" 2>&1)
expect_code 0 $? "capture"
[ -f "$work/frame_000015.bmp" ] || fail "frame 15 missing"
for complaint in "ERROR" "Failed" "not found" "not supported"; do
  grep -q "$complaint" "$work/log" && { fail "the log complains: $complaint"; grep "$complaint" "$work/log" | head -5; }
done

mean() { # frame crop channel-expression: the mean over the crop, in percent
  /usr/bin/convert "$work/frame_0000$1.bmp" -crop "$2" +repage -format "%[fx:int(100*$3)]" info:
}
# The camera keeps the orb in the middle of the picture: a luminous surface,
# warm white whatever the lights do. Above it the dusk sky; below, the paving.
for frame in 02 08 14; do
  orb_red=$(mean $frame 6x6+77+42 mean.r) orb_blue=$(mean $frame 6x6+77+42 mean.b)
  [ "$orb_red" -ge 90 ] && [ "$orb_blue" -ge 70 ] || fail "frame $frame: no glowing orb in the middle (red $orb_red, blue $orb_blue)"
  sky_red=$(mean $frame 160x8+0+0 mean.r) sky_blue=$(mean $frame 160x8+0+0 mean.b)
  [ "$sky_blue" -ge $((sky_red + 15)) ] || fail "frame $frame: the sky is not dusk blue (red $sky_red, blue $sky_blue)"
  ground_red=$(mean $frame 160x12+0+78 mean.r) ground_blue=$(mean $frame 160x12+0+78 mean.b)
  [ "$ground_red" -ge 10 ] && [ "$ground_red" -ge "$ground_blue" ] ||
    fail "frame $frame: the paving is not lit (red $ground_red, blue $ground_blue)"
done
# The camera swings round the orb: the first and last frames differ.
change=$(/usr/bin/convert "$work/frame_000001.bmp" "$work/frame_000015.bmp" -compose difference -composite \
  -format '%[fx:int(1000*mean)]' info:)
[ "$change" -ge 10 ] || fail "the camera does not move: difference $change"

# The script: each key held until the script answers it (it reads the keys
# once a frame, and a frame of the light pre-pass on a busy machine without a
# GPU can take half a second), then let go for a few frames; then Escape.
script_log="$work/script.log"
TESK_EXAMPLE_FRAMES=100000 "$tesk" "$source_dir/examples/scripts/lights_and_shadows.lua" >"$script_log" 2>&1 &
pid=$!
# press KEY [SECONDS]: holds KEY until the log grows (at most SECONDS, 30 unless given).
press() {
  local lines waited=0 limit=$(( ${2:-30} * 5 ))
  lines=$(wc -l <"$script_log")
  xdotool keydown "$1"
  while [ "$(wc -l <"$script_log")" -le "$lines" ] && [ "$waited" -lt "$limit" ]; do
    sleep 0.2
    waited=$((waited + 1))
  done
  xdotool keyup "$1"
  sleep 1.5
}
window=$(timeout 60 xdotool search --sync --name '^Tesk' | head -n 1)
[ -n "$window" ] || fail "the script shows no window"
if [ -n "$window" ]; then
  timeout 60 sh -c "until grep -q 'shadow fuzz' '$script_log'; do sleep 0.2; done"
  xdotool windowfocus --sync "$window" 2>/dev/null
  for key in 2 Up Up Down; do press "$key"; done
  press d 2
  press 2
  press Escape 2
fi
for _ in $(seq 1 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "the script did not end on Escape"; }
wait "$pid"
expect_code 0 $? "the script"
expect_line "$script_log" "lights_and_shadows: 1, 2, 3 toggle the shadows" "the script's keys"
expect_line "$script_log" "spot shadows off" "key 2"
expect_line "$script_log" "shadow fuzz 4" "key Up"
expect_line "$script_log" "spot shadows on" "key 2 again"
grep -q "ERROR" "$script_log" && { fail "the script's log complains"; grep "ERROR" "$script_log" | head -5; }
# Up twice from 2, then Down: 3, 4, 3 in that order.
[ "$(grep -o 'shadow fuzz [0-9]*' "$script_log" | tr '\n' ' ')" = "shadow fuzz 2 shadow fuzz 3 shadow fuzz 4 shadow fuzz 3 " ] ||
  fail "fuzz steps: $(grep -o 'shadow fuzz [0-9]*' "$script_log" | tr '\n' ' ')"
finish
