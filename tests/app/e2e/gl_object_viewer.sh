# The object viewer in a real window: it shows the bundled mesh and ends on Escape.
tesk=$1
source_dir=$2
source "$(dirname "$0")/lib.sh"
enter_gl_scratch
cd "$work"
log="$work/log.txt"

"$tesk" "$source_dir/examples/objects/torus.obj" -display 320x240 -vsync 0 >"$log" 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --name '^Tesk$' | head -n 1)
[ -n "$window" ] || fail "no window titled Tesk appeared"
sleep 1
xwd -id "$window" -silent > "$work/window.xwd" 2>/dev/null || fail "cannot grab the window"
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key Escape
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
  fail "Escape did not end the object viewer"
  kill "$pid"
fi
wait "$pid"
expect_code 0 $? "object viewer"
expect_line "$log" "INFO : video driver: OpenGL (TESK_DRIVER=opengl)" "object viewer"

# The window shows the backdrop colour 0x113366 around the mesh and the mesh itself.
if [ -x /usr/bin/convert ] && [ -s "$work/window.xwd" ]; then
  corner=$(/usr/bin/convert "xwd:$work/window.xwd" -format '%[pixel:p{2,2}]' info:)
  case "$corner" in
    *"17,51,102"*|*"#113366"*) ;;
    *) fail "backdrop at the corner is '$corner', expected 0x113366" ;;
  esac
  # A lit mesh brings many shades; the backdrop alone is one colour.
  colours=$(/usr/bin/convert "xwd:$work/window.xwd" -format '%k' info:)
  [ "${colours:-0}" -gt 50 ] || fail "only $colours colours in the window: no mesh drawn"
fi
finish
