# Scene files converted by 'tesk -binary' and by tesk-tf: files built from the
# format's byte tables come out byte for byte, nothing needs a display, and a
# failed conversion says why, exits non-zero and leaves no file behind.
tesk=$1
source_dir=$2
source "$(dirname "$0")/lib.sh"
tesk_tf="$(dirname "$tesk")/tools/tesk-tf/tesk-tf"
unset DISPLAY
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
corpus="$source_dir/fuzz/corpus"
cp "$corpus/example.tscn" "$work/scene.tscn"
printf 'x FP_C DAT 3 1 2\n' > "$work/broken.tscn"

# tesk -binary writes beside the scene and leaves the scene alone.
(cd "$work" && "$tesk" -binary scene.tscn) > "$work/binary.log" 2>&1
expect_code 0 $? "tesk -binary"
expect_line "$work/binary.log" "Wrote 'scene.bin.tscn'" "conversion message"
cmp -s "$work/scene.bin.tscn" "$corpus/example.bin.tscn" || fail "binary scene differs from the chunk tables"
cmp -s "$work/scene.tscn" "$corpus/example.tscn" || fail "the input was changed"

"$tesk" -binary "$work/scene.bin.tscn" > "$work/again.log" 2>&1
expect_code 0 $? "tesk -binary on a binary scene"
cmp -s "$work/scene.bin.bin.tscn" "$work/scene.bin.tscn" || fail "binary of a binary scene differs"
cmp -s "$work/scene.bin.tscn" "$corpus/example.bin.tscn" || fail "a binary input was changed"

cp "$corpus/example.tscn" "$work/plain"
"$tesk" -binary "$work/plain" > "$work/plain.log" 2>&1
expect_line "$work/plain.log" "Wrote '$work/plain.bin'" "name without .tscn"

"$tesk" -binary "$work/broken.tscn" > "$work/broken.log" 2>&1
code=$?
[ "$code" -ne 0 ] || fail "tesk -binary on a malformed scene exited 0"
expect_line "$work/broken.log" "line 1: FP_C DAT block announces 3 floats but holds 2" "reader message"
[ -e "$work/broken.bin.tscn" ] && fail "a failed conversion left an output file"

# Without a file and without a display there is nothing to convert.
"$tesk" -binary > "$work/nofile.log" 2>&1
[ $? -ne 0 ] || fail "tesk -binary without a file exited 0"
expect_line "$work/nofile.log" "no file given" "no file message"

# tesk-tf: text to binary to text to binary gives the same bytes.
"$tesk_tf" text "$corpus/example.bin.tscn" "$work/t1.tscn" > /dev/null 2>&1
expect_code 0 $? "tesk-tf text"
"$tesk_tf" binary "$work/t1.tscn" "$work/b1.tscn" > /dev/null 2>&1
"$tesk_tf" text "$work/b1.tscn" "$work/t2.tscn" > /dev/null 2>&1
"$tesk_tf" binary "$work/t2.tscn" "$work/b2.tscn" > /dev/null 2>&1
cmp -s "$work/b1.tscn" "$corpus/example.bin.tscn" || fail "tesk-tf binary differs from the chunk tables"
cmp -s "$work/b1.tscn" "$work/b2.tscn" || fail "text-binary-text-binary changed the bytes"
cmp -s "$work/t1.tscn" "$work/t2.tscn" || fail "text output is not stable"
for f in "$corpus"/all_types.tscn "$corpus"/cr_only.tscn; do
  "$tesk_tf" binary "$f" "$work/x1" > /dev/null 2>&1 && "$tesk_tf" text "$work/x1" "$work/x2" > /dev/null 2>&1 &&
    "$tesk_tf" binary "$work/x2" "$work/x3" > /dev/null 2>&1
  cmp -s "$work/x1" "$work/x3" || fail "round trip of $(basename "$f") changed the bytes"
done

"$tesk_tf" check "$corpus/example.tscn" > "$work/check.log" 2>&1
expect_code 0 $? "tesk-tf check"
expect_line "$work/check.log" "records 4" "record count"
expect_line "$work/check.log" "values 4" "value count"
expect_line "$work/check.log" "arrays 1" "array count"
expect_line "$work/check.log" "samples 753" "sample count"

"$tesk_tf" check "$work/broken.tscn" > "$work/check-broken.log" 2>&1
code=$?
[ "$code" -ne 0 ] || fail "tesk-tf check on a malformed file exited 0"
expect_line "$work/check-broken.log" "line 1: FP_C DAT block announces 3 floats but holds 2" "check message"
"$tesk_tf" binary "$work/broken.tscn" "$work/never.tscn" > /dev/null 2>&1
[ $? -ne 0 ] || fail "converting a malformed file exited 0"
"$tesk_tf" text "$work/missing.tscn" "$work/never.tscn" > "$work/missing.log" 2>&1
[ $? -ne 0 ] || fail "converting a missing file exited 0"
expect_line "$work/missing.log" "Cannot read '$work/missing.tscn'" "missing file message"
# A tree the text grammar cannot carry is refused, not written wrongly.
"$tesk_tf" text "$corpus/awkward.bin.tscn" "$work/never.tscn" > "$work/refused.log" 2>&1
[ $? -ne 0 ] || fail "text conversion of an untextable tree exited 0"
expect_line "$work/refused.log" "cannot write 'odd' as text: its type code has no keyword" "refusal message"
[ -e "$work/never.tscn" ] && fail "a failed conversion left an output file"
ls "$work" | grep -q '\.tmp-' && fail "a temporary file was left behind"
"$tesk_tf" > /dev/null 2>&1
expect_code 2 $? "usage"
finish
