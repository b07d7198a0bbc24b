# Capturing the example scene of surfaces: it plays without a complaint, and
# each kind of surface shows in its own colour (the glowing lamp, the glazed
# cube's own effect, the glossy sphere, the textured floor, the bumped copper).
tesk=$1
source_dir=$2
source "$(dirname "$0")/lib.sh"
enter_gl_scratch
printf '[part1]\ntime = 0\ndirectory = %s\nfilename = surfaces.tscn\n[part2]\ntime = 2000\n' \
  "$source_dir/examples/scenes/surfaces" > "$work/surfaces.demo.ini"
# Named from its own folder: the part's directory is absolute.
(cd "$work" && "$tesk" surfaces.demo.ini -cap "$work/frame" -capfps 2 -display 160x90 -vsync 0 >"$work/log" 2>&1)
expect_code 0 $? "capture"
[ -f "$work/frame_000003.bmp" ] || fail "frame 3 missing"
for complaint in "ERROR" "Failed" "not found"; do
  grep -q "$complaint" "$work/log" && { fail "the log complains: $complaint"; grep "$complaint" "$work/log" | head -5; }
done

# Pixels of frame 2 (1 s) whose colour fits: at least the given count.
expect_pixels() { # what count fx-condition
  local seen
  seen=$(/usr/bin/convert "$work/frame_000002.bmp" -fx "($3)?1:0" -format '%[fx:int(mean*w*h)]' info:)
  [ "$seen" -ge "$2" ] || fail "$1: $seen pixels, expected at least $2"
}
expect_pixels "luminous lamp" 40 'r>0.8&&g>0.6&&b<0.55'
expect_pixels "glazed cube" 200 'r>0.25&&b>0.35&&g<0.25&&b>r'
expect_pixels "glossy sphere" 80 'b>0.45&&r<0.2&&g<0.3'
expect_pixels "light squares of the floor" 20 'r>0.55&&g>0.5&&b>0.4&&b<0.7'
expect_pixels "bumped copper" 4 'r>0.3&&g>0.15&&b<0.2&&r>1.5*g'
finish
