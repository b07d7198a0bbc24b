# Capturing the showcase demo: numbered frames at the given rate, the log lines,
# and the same frames when captured twice.
tesk=$1
source_dir=$2
source "$(dirname "$0")/lib.sh"
export TESK_DRIVER=opengl
[ -n "${DISPLAY:-}" ] || { echo "needs an X display"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
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
# 12 seconds at 4 frames per second: frames 0 to 47; the end mark writes none.
[ -f "$work/a/frame_000047.bmp" ] || fail "frame 47 missing"
[ -f "$work/a/frame_000048.bmp" ] && fail "a frame was written at the end mark"
count=$(ls "$work/a" | wc -l)
[ "$count" -eq 48 ] || fail "$count frames written, expected 48"
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
finish
