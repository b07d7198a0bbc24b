# The courtyard, lit by shadow-casting lights: a capture plays without a
# complaint, the glowing orb shows over the lit paving with a halo round it,
# the wall shadows the paving, and the camera swings round the orb; its script
# toggles shadows, fuzz and the debug view from the keys.
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
# The same capture of a copy of the scene with one change: shadows off, or glow off.
capture_variant() { # name sed-expression
  mkdir -p "$work/$1"
  cp -r "$scene_dir/." "$work/$1/scene"
  sed -i "$2" "$work/$1/scene/courtyard.tscn"
  printf '[part1]\ntime = 0\ndirectory = %s\nfilename = courtyard.tscn\n[part2]\ntime = 4000\n' "$work/$1/scene" \
    > "$work/$1/courtyard.demo.ini"
  (cd "$work/$1" && "$tesk" courtyard.demo.ini -cap "$work/$1/frame" -capfps 4 -display 160x90 -vsync 0 \
    >"$work/$1/log" 2>&1)
  expect_code 0 $? "capture with $1"
}
mean_of() { # file crop: the mean over the crop, in thousandths
  /usr/bin/convert "$1" -crop "$2" +repage -format "%[fx:int(1000*mean)]" info:
}
capture_variant no_shadows 's/shadowType I4 2/shadowType I4 0/'
capture_variant no_glow 's/CH_GLOW_ENABLE I4 1/CH_GLOW_ENABLE I4 0/'
# The back wall's shadow lies on the paving at the lower left: darker than the
# lit paving beside it, and darker than the same place with shadows off.
for probe in "02 16x8+0+76 16x8+48+76" "08 24x6+0+68 24x6+56+68"; do
  set -- $probe
  shadowed=$(mean_of "$work/frame_0000$1.bmp" "$2")
  beside=$(mean_of "$work/frame_0000$1.bmp" "$3")
  unshadowed=$(mean_of "$work/no_shadows/frame_0000$1.bmp" "$2")
  [ "$shadowed" -le $((beside - 40)) ] && [ "$shadowed" -le $((unshadowed - 40)) ] ||
    fail "frame $1: no shadow at $2 (mean $shadowed, lit paving beside it $beside, without shadows $unshadowed)"
done
# The orb glows: a halo round it that glow off does not have, and nothing
# brighter far from it (the sky, the paving in the corners).
for frame in 02 08 14; do
  halo=$(mean_of "$work/frame_0000$frame.bmp" 24x24+68+34)
  plain=$(mean_of "$work/no_glow/frame_0000$frame.bmp" 24x24+68+34)
  [ "$halo" -ge $((plain + 8)) ] || fail "frame $frame: no halo round the orb (mean $halo, without glow $plain)"
  for far in 40x30+0+0 40x12+0+78 40x12+120+78; do
    glowing=$(mean_of "$work/frame_0000$frame.bmp" $far)
    without=$(mean_of "$work/no_glow/frame_0000$frame.bmp" $far)
    [ "$glowing" -le $((without + 5)) ] || fail "frame $frame: the glow brightens $far (mean $glowing, without $without)"
  done
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
