# Packed programs as a user makes and ships them: the showcase demo, an example
# scene and a script are packed, each program is copied alone into an empty
# folder elsewhere and run there; damaged programs start as plain ones.
tesk=$1
source_dir=$2
source "$(dirname "$0")/lib.sh"
enter_gl_scratch

setup_file() {  # a small window, so that no display dialog asks
  printf '[Setup]\ndisplay = 160 90\nwindowed = 1\nvsync = 0\n' > "$1/tesk-setup.ini"
}

# Runs a packed program in its folder for a few seconds and grabs its window.
run_and_grab() {  # folder program picture
  (cd "$1" && exec "./$2" > run.log 2>&1) &
  local pid=$!
  local window
  window=$(timeout 30 xdotool search --sync --name '^Tesk$' | head -n 1)
  sleep 3
  [ -n "$window" ] && xwd -id "$window" -silent > "$3.xwd" 2>/dev/null
  [ -n "$window" ] && xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key Escape
  for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "$2 did not end on Escape"; }
  wait "$pid"
}

shows_a_picture() {  # picture what
  local colours
  colours=$(/usr/bin/convert "xwd:$1.xwd" -format '%k' info: 2>/dev/null)
  [ "${colours:-0}" -gt 20 ] || fail "$2: the window shows ${colours:-nothing} colours"
}

# The showcase demo.
"$tesk" -demoexe "$work/build/showcase" "$source_dir/examples/showcase.demo.ini" > "$work/pack.log" 2>&1
expect_code 0 $? "packing the demo"
mkdir "$work/demo" && cp "$work/build/showcase" "$work/demo/" && setup_file "$work/demo"
run_and_grab "$work/demo" showcase "$work/demo/shot"
grep -q "Loaded mesh: scenes/orbit/torus.obj" "$work/demo/run.log" || fail "the packed demo did not load its scene from itself"
shows_a_picture "$work/demo/shot" "packed demo"

# An example scene: the packed program starts the scene viewer.
"$tesk" -demoexe "$work/build/orbit" "$source_dir/examples/scenes/orbit/orbit.tscn" > "$work/pack.log" 2>&1
expect_code 0 $? "packing the scene"
mkdir "$work/scene" && cp "$work/build/orbit" "$work/scene/" && setup_file "$work/scene"
run_and_grab "$work/scene" orbit "$work/scene/shot"
shows_a_picture "$work/scene/shot" "packed scene"

# A script, packed from a list of files: it draws a few frames and saves one.
mkdir "$work/script-src" && cp "$source_dir/examples/objects/torus."* "$work/script-src/"
cat > "$work/script-src/main.lua" <<'LUA'
tk.Setup(160, 90, 32, true)
tk.LoadObject("torus.obj", 1)
tk.MakeLight(1)
tk.ColorBackdrop(tk.RGB(30, 60, 90))
tk.PositionCamera(0, 0, -40)
for frame = 1, 30 do tk.Run() tk.Sync() end
local ok, message = pcall(tk.ScreenShot, os.getenv("SHOT"))
if not ok then io.stderr:write("screenshot: " .. tostring(message) .. "\n") end
LUA
printf 'main.lua\n*.obj\n*.mtl\n' > "$work/script-src/list.txt"
(cd "$work/script-src" && "$tesk" -dirlistexe "$work/build/lua" list.txt > "$work/pack.log" 2>&1)
expect_code 0 $? "packing the script"
mkdir "$work/script" && cp "$work/build/lua" "$work/script/" && setup_file "$work/script"
(cd "$work/script" && SHOT="$work/script/shot.bmp" timeout 60 ./lua > run.log 2>&1)
expect_code 0 $? "packed script"
[ -s "$work/script/shot.bmp" ] || { fail "the packed script saved no frame"; sed 's/^/    | /' "$work/script/run.log"; }

# Damage: a cut trailer and a side file of random bytes start as a plain program.
cp "$work/build/showcase" "$work/cut" && truncate -s -5 "$work/cut"
"$work/cut" not-a-file.txt > "$work/cut.log" 2>&1
expect_code 255 $? "damaged program"
expect_line "$work/cut.log" "File format of 'not-a-file.txt' is not supported" "damaged program starts as a plain one"
cp "$tesk" "$work/plain" && head -c 4000 /dev/urandom > "$work/plain.dat"
"$work/plain" not-a-file.txt > "$work/plain.log" 2>&1
expect_code 255 $? "random side file"
expect_line "$work/plain.log" "is no ZIP archive: starting without it" "random side file"

# A failing tool says so in its exit code.
"$tesk" -demoexe "$work/build/none" "$work/missing.demo.ini" > "$work/fail.log" 2>&1
expect_code 1 $? "packing a demo that does not exist"
finish
