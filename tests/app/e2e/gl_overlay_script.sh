# Drawing over the frame from a script in a real window: the overlay example
# runs to its frame limit without complaint, and a small script's box, text
# and picture-in-picture reach the saved frame where they were drawn.
tesk=$1
source_dir=$2
source "$(dirname "$0")/lib.sh"
enter_gl_scratch
out="$work/out.txt"
err="$work/err.txt"

TESK_EXAMPLE_FRAMES=20 TESK_JOYSTICK_DIR="$work" "$tesk" "$source_dir/examples/scripts/overlay.lua" >"$out" 2>"$err"
expect_code 0 $? "overlay example"
[ ! -s "$err" ] || { fail "overlay example: unexpected standard error"; sed 's/^/    | /' "$err" | head; }

cat > "$work/draw.lua" <<'LUA'
tk.Setup(200, 120, 32, true)
tk.ColorBackdrop(tk.RGB(0, 0, 0))
tk.MakeImage(64, 32, 1)
for frame = 1, 3 do
  tk.Run()
  -- Into the image: a red box over its top half.
  tk.Ink(tk.RGB(255, 0, 0))
  tk.Box(0, 0, 64, 16)
  tk.RenderToImage(1)
  -- On the screen: a green box, a text and the image, upright.
  tk.Ink(tk.RGB(0, 255, 0))
  tk.Box(10, 10, 40, 30)
  tk.SetTextColor(tk.RGB(255, 255, 255))
  tk.Text(10, 100, "overlay", 1, true)
  tk.PasteImage(1, 120, 10)
  tk.Sync()
end
tk.ScreenShot(os.getenv("SHOT"))
print("text", tk.TextWidth("overlay", 1, true), tk.TextHeight("x"))
LUA
SHOT="$work/shot.bmp" "$tesk" "$work/draw.lua" >"$out" 2>"$err"
expect_code 0 $? "drawing script"
expect_line "$out" "text	47	10" "drawing script measures with the built-in font"
if [ -x /usr/bin/convert ] && [ -s "$work/shot.bmp" ]; then
  pixel() { /usr/bin/convert "$work/shot.bmp" -format "%[pixel:p{$1,$2}]" info:; }
  check() { # x y "r,g,b" what
    case "$(pixel "$1" "$2")" in
      *"($3)"*) ;;
      *) fail "$4: pixel ($1, $2) is '$(pixel "$1" "$2")', expected $3" ;;
    esac
  }
  check 25 20 0,255,0 "green box"
  check 130 15 255,0,0 "the image's top half"
  check 130 35 0,0,0 "the image's bottom half"
  check 60 60 0,0,0 "background"
  lit=$(/usr/bin/convert "$work/shot.bmp" -crop 60x12+8+98 -fill black +opaque white -format '%[fx:mean*w*h]' info:)
  [ "${lit%.*}" -gt 10 ] || fail "no text in the frame ($lit)"
else
  fail "no frame saved"
fi
finish
