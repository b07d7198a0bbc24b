# What the program answers, and with which exit code: the usage and the
# version, runs that work, files that cannot be loaded (with the system's
# reason), a script that ends on an error and a capture that fails.
tesk=$1
source "$(dirname "$0")/lib.sh"
enter_null_driver_scratch

# run WHAT EXPECTED_CODE ARGS...: runs the program with a time limit.
run() {
  local what=$1 code=$2
  shift 2
  timeout 60 "$tesk" "$@" >"$out" 2>"$err"
  expect_code "$code" $? "$what"
}

for ask in --help -h; do
  run "$ask" 0 "$ask"
  expect_line "$out" "Usage: tesk [options] FILE" "$ask"
  expect_line "$out" "-cap NAME" "$ask: the options"
  expect_line "$out" "name containing .demo.ini" "$ask: the run modes"
  grep -q "no file given" "$out" "$err" && fail "$ask: asked for a file"
done
run --version 0 --version
grep -qE '^tesk [0-9]+\.[0-9]+' "$out" || fail "--version: printed '$(cat "$out")'"

# Files that cannot be loaded: exit code 1 and the reason.
run "missing scene" 1 missing.tscn
expect_line "$out" "ERROR : Failed to load scene file 'missing.tscn', error: No such file or directory" "missing scene"
printf 'hello\n' > notf.tscn
run "scene that is no TF file" 1 notf.tscn
expect_line "$out" "error: not a readable TF file" "scene that is no TF file"
# The reader's own message is a line of its own on standard error too.
grep -qx "Error, file size < 12 bytes" "$err" || fail "reader message without its line end: $(head -c 300 "$err")"
run "missing mesh" 1 missing.obj
expect_line "$out" "ERROR : Failed to load object missing.obj: No such file or directory" "missing mesh"
run "missing demo" 1 missing.demo.ini
expect_line "$out" "ERROR : Fail to load missing.demo.ini: No such file or directory" "missing demo"

# A demo whose part has an object that cannot be loaded says which, and plays.
printf '{ Scene\n{ Objects\n{ O\ntfilename STR nowhere.obj\n}\n}\n}\n' > part.tscn
printf '[part1]\ntime = 0\nfilename = part.tscn\n[part2_end]\ntime = 200\n' > a.demo.ini
run "demo with a missing object" 0 a.demo.ini
expect_line "$out" "ERROR : The object id=1 'nowhere.obj' cannot be loaded" "demo with a missing object"

# A capture on the null driver cannot grab the screen; a capture whose part
# cannot be loaded stops at once.
run "capture that cannot grab" 1 a.demo.ini -cap frame
expect_line "$out" "ERROR : failed to grab the screen" "capture that cannot grab"
printf '[part1]\ntime = 0\nfilename = gone.tscn\n[part2_end]\ntime = 200\n' > b.demo.ini
run "capture of a part that does not load" 1 b.demo.ini -cap frame
expect_line "$out" "ERROR : Fail to load scene gone.tscn" "capture of a part that does not load"

# Scripts: 0 when they run to their end, 1 when an error ends them.
printf 'tk.Setup(64, 64)\ntk.Term()\n' > ok.lua
run "script that ends well" 0 ok.lua
printf 'tk.Setup(64, 64)\nerror("stop here")\n' > fails.lua
run "script ended by an error" 1 fails.lua
expect_line "$err" "fails.lua:2: stop here" "script ended by an error"

finish
