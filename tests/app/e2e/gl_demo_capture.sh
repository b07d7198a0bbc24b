# Capturing the showcase demo: numbered frames at the given rate, the log lines,
# and the same frames when captured twice.
tesk=$1
source_dir=$2
source "$(dirname "$0")/lib.sh"
enter_gl_scratch
demo="$source_dir/examples/showcase.demo.ini"

for run in a b; do
  mkdir -p "$work/$run"
  "$tesk" "$demo" -cap "$work/$run/frame" -capfps 4 -display 96x54 -vsync 0 >"$work/$run.log" 2>&1
  expect_code 0 $? "capture $run"
done
log="$work/a.log"
expect_line "$log" "INFO : Start capturing: basename='$work/a/frame' fps=4.000000" "capture log"
expect_line "$log" "INFO : Frame     0; time      0 ; $work/a/frame_000000.bmp" "first frame line"
expect_line "$log" "INFO : Frame     1; time    250 ; $work/a/frame_000001.bmp" "second frame line"
# 20 seconds at 4 frames per second: frames 0 to 79; the end mark writes none.
[ -f "$work/a/frame_000079.bmp" ] || fail "frame 79 missing"
[ -f "$work/a/frame_000080.bmp" ] && fail "a frame was written at the end mark"
count=$(ls "$work/a" | wc -l)
[ "$count" -eq 80 ] || fail "$count frames written, expected 80"
(cd "$work/a" && md5sum *.bmp) > "$work/a.sums"
(cd "$work/b" && md5sum *.bmp) > "$work/b.sums"
cmp -s "$work/a.sums" "$work/b.sums" || fail "two captures of the same demo differ"

# Frame 20 (5 s) is in the towers part; the first frame is black under the fade-in.
if [ -x /usr/bin/convert ]; then
  first=$(/usr/bin/convert "$work/a/frame_000000.bmp" -format '%[fx:int(255*mean)]' info:)
  [ "$first" -le 2 ] || fail "the first frame is not black under the fade-in (mean $first)"
  later=$(/usr/bin/convert "$work/a/frame_000020.bmp" -format '%[fx:int(255*mean)]' info:)
  [ "$later" -ge 20 ] || fail "frame 20 is dark (mean $later): no scene drawn"
fi
# A capture runs unattended: a part that cannot be loaded ends it with exit
# code 1 and its message on standard error, with message boxes allowed, instead
# of a box that waits for a key.
mkdir -p "$work/bad"
printf '[part1]\ntime = 0\nfilename = gone.tscn\n[part2]\ntime = 500\n' > "$work/bad/bad.demo.ini"
env -u TESK_MESSAGE_BOXES timeout 60 "$tesk" "$work/bad/bad.demo.ini" -cap "$work/bad/frame" -display 96x54 \
  >"$work/bad.log" 2>"$work/bad.err"
expect_code 1 $? "capture of a part that does not load"
expect_line "$work/bad.err" "Tesk: Fail to load scene gone.tscn" "the box's text on standard error"

# The capture's clock is the frame count: a music that ends early changes nothing.
mkdir -p "$work/music/music"
sox -n -r 44100 -c 2 "$work/music/tone.wav" synth 1 sine 440
lame --quiet -b 128 "$work/music/tone.wav" "$work/music/music/tone.mp3"
size=$(stat -c %s "$work/music/music/tone.mp3")
dd if=/dev/zero of="$work/music/music/tone.mp3" bs=1 seek=$((size / 3)) count=$((size / 3)) conv=notrunc status=none
printf '{ Scene\n{ Cameras\n{ C\n}\n}\n}\n' > "$work/music/part.tscn"
printf '[setup]\nmusicdirectory = music\n[part1]\ntime = 0\nmusic = tone.mp3\nfilename = part.tscn\n' \
  > "$work/music/m.demo.ini"
printf '[part2]\ntime = 2000\n' >> "$work/music/m.demo.ini"
TESK_AUDIO_SINK=fakesink timeout 60 "$tesk" "$work/music/m.demo.ini" -cap "$work/music/frame" -capfps 4 \
  -display 96x54 -vsync 0 >"$work/music.log" 2>&1
expect_code 0 $? "capture with a damaged music"
[ "$(ls "$work/music" | grep -c '^frame_')" -eq 8 ] || fail "capture with a damaged music: not 8 frames"
finish
