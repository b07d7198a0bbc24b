# The script mode on scripts it has never seen, without a display: what reaches
# standard error, the exit code, and the bundled example scripts.
tesk=$1
source_dir=$2
source "$(dirname "$0")/lib.sh"
enter_null_driver_scratch

# run NAME CONTENTS: writes scripts/NAME and runs it from elsewhere.
run() {
  mkdir -p "$work/scripts"
  printf '%s\n' "$2" > "$work/scripts/$1"
  "$tesk" "scripts/$1" >"$out" 2>"$err"
}
expect_errors() { # text what
  expect_line "$err" "$1" "$2"
}
expect_quiet() { # what
  [ ! -s "$err" ] || { fail "$1: unexpected standard error"; sed 's/^/    | /' "$err" | head; }
}

run ok.lua "tk.Setup(320, 240)
print('width', tk.ScreenWidth(), 'dir', tk.PathFilename(tk.GetDir()))
tk.Term()
print('set up after Term:', tk.IsSetup())"
expect_code 0 $? "plain script"
expect_line "$out" "width	320	dir	scripts" "plain script runs in its own directory"
expect_line "$out" "set up after Term:	false" "plain script"
expect_quiet "plain script"
grep -q "INFO :" "$out" && fail "plain script: the log is not silent in script mode"

run syntax.lua "tk.Setup()
if x then"
expect_code 1 $? "syntax error"
expect_errors "syntax.lua:3: 'end' expected (to close 'if' at line 2) near <eof>" "syntax error"

"$tesk" scripts/missing.lua >"$out" 2>"$err"
expect_code 1 $? "missing script"
expect_errors "cannot open missing.lua: No such file or directory" "missing script"

run types.lua "tk.Setup()
tk.PositionObject(1, 'left', 0, 0)"
expect_errors "types.lua:2: bad argument #2 to 'PositionObject' (number expected, got string)" "wrong type"

run table.lua "tk.Setup()
tk.SetLightRange(0, {10})"
expect_errors "table.lua:2: bad argument #2 to 'SetLightRange' (number expected, got table)" "table for a number"

run before.lua "tk.LoadObject('torus.obj', 1)"
expect_errors "before.lua:1: calling 'LoadObject' without Setup first" "before Setup"

run recorded.lua "tk.Setup()
tk.ShowObject(5)"
expect_errors "recorded.lua:2: bad argument #1 to 'ShowObject' (Object ID 5 does not exist. id 5 does not exist)" \
  "recorded failure"

# A runtime error inside the scene-load callback ends the script through LoadScene.
run callback.lua "tk.Setup()
tk.SetDir('$source_dir/examples/scenes/orbit')
tk.SetLoadSceneCallback(function(percent)
  if percent >= 50 then error('stop at ' .. percent) end
end)
tk.LoadScene('orbit.tscn', 0, 1, 1, 1, 1, 1, 1, 1, false, 'orbit')
print('not reached')"
expect_code 1 $? "error in the callback"
expect_errors "callback.lua:4: stop at 50" "error in the callback"
grep -q "not reached" "$out" && fail "error in the callback: the script went on"

# Caught errors leave the script running.
run caught.lua "tk.Setup()
local ok, e = pcall(tk.ShowObject, 1000)
print(ok, e)
print(pcall(tk.SetObjectSurfaces))"
expect_line "$out" "false	bad argument #1 to 'tk.ShowObject' (Object ID 1000 does not exist. invalid ID 1000 greater or equals than 1000)" \
  "protected call"
expect_line "$out" "false	bad argument #-1 to 'tk.SetObjectSurfaces' (the function is not implemented)" "protected call"
expect_quiet "protected call"

# The bundled examples run a few frames and end cleanly.
for example in orbit_player objects_lights_camera camera_effects lights_and_shadows overlay; do
  TESK_EXAMPLE_FRAMES=20 "$tesk" "$source_dir/examples/scripts/$example.lua" >"$out" 2>"$err"
  expect_code 0 $? "example $example"
  expect_quiet "example $example"
done

finish
