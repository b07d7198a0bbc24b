# The program beside a runtime folder whose light pass effect is missing: the
# light pre-pass renderer cannot be made, so the start-up fails with the name
# of the file and a non-zero exit code. The same copy with the whole runtime
# folder plays, so the failure is the missing file's.
tesk=$1
source_dir=$2
source "$(dirname "$0")/lib.sh"
enter_gl_scratch
program="$work/program"
mkdir -p "$program" "$work/part"
cp "$tesk" "$program/tesk"
cp -r "$source_dir/runtime/." "$program/"
printf '{ Scene\n{ Cameras\n{ C\n}\n}\n}\n' > "$work/part/part.tscn"
printf '[part1]\ntime = 0\nfilename = part.tscn\n[part2]\ntime = 500\n' > "$work/part/part.demo.ini"
play() { # log
  (cd "$work/part" && timeout 60 "$program/tesk" part.demo.ini -cap "$work/part/frame" -capfps 4 -display 96x54 \
    -vsync 0 >"$1" 2>&1)
}

play "$work/whole.log"
expect_code 0 $? "the whole runtime folder"

rm "$program/shaders/LppLightPass.hlsl"
play "$work/missing.log"
code=$?
[ "$code" -ne 0 ] && [ "$code" -ne 124 ] || fail "without the light pass effect: exit code $code"
expect_line "$work/missing.log" "CTkRenderLightBuffer: failed to load LppLightPass.hlsl" \
  "without the light pass effect"
finish
