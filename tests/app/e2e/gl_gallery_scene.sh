# Capturing the gallery, a scene that draws its own frame with a render command
# list: it plays without a complaint, the pieces show through the flip-flop
# textures on the screen, and the flash shader runs from 3.0 to 3.4 s only.
tesk=$1
source_dir=$2
source "$(dirname "$0")/lib.sh"
enter_gl_scratch
printf '[part1]\ntime = 0\ndirectory = %s\nfilename = gallery.tscn\ncamerarange = 0.1 100\n[part2]\ntime = 4000\n' \
  "$source_dir/examples/scenes/gallery" > "$work/gallery.demo.ini"
(cd "$work" && "$tesk" gallery.demo.ini -cap "$work/frame" -capfps 4 -display 160x90 -vsync 0 >"$work/log" 2>&1)
expect_code 0 $? "capture"
[ -f "$work/frame_000015.bmp" ] || fail "frame 15 missing"
for complaint in "ERROR" "Failed" "not found" "not supported"; do
  grep -q "$complaint" "$work/log" && { fail "the log complains: $complaint"; grep "$complaint" "$work/log" | head -5; }
done

pixels() { # frame fx-condition
  /usr/bin/convert "$work/frame_0000$1.bmp" -fx "($2)?1:0" -format '%[fx:int(mean*w*h)]' info:
}
brightness() { # frame
  /usr/bin/convert "$work/frame_0000$1.bmp" -format '%[fx:int(100*mean)]' info:
}
red=$(pixels 08 'r>g+0.2&&r>b+0.2')
[ "$red" -ge 20 ] || fail "the red ball: $red pixels, expected at least 20"
jade=$(pixels 08 'g>r+0.1&&g>b+0.02')
[ "$jade" -ge 20 ] || fail "the jade cube: $jade pixels, expected at least 20"
# Frames 11, 12 and 15 are 2.75, 3.0 and 3.75 s: only 12 is under the flash.
before=$(brightness 11) flash=$(brightness 12) after=$(brightness 15)
[ "$flash" -ge $((before + 15)) ] || fail "no flash at 3.0 s: brightness $before then $flash"
[ "$after" -le $((before + 5)) ] || fail "the flash goes on after 3.4 s: brightness $before then $after"
finish
