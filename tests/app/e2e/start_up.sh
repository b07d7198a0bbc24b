# The program on files and options it has never seen, without a display.
tesk=$1
source "$(dirname "$0")/lib.sh"
enter_null_driver_scratch
log="$work/log.txt"

"$tesk" a.DEMO.INI >"$log" 2>&1
expect_code 255 $? "upper-case demo suffix"
expect_line "$log" "ERROR : File format of 'a.DEMO.INI' is not supported" "upper-case demo suffix"

"$tesk" notes.txt.bak -console >"$log" 2>&1
expect_code 255 $? "unknown extension"
expect_line "$log" "File format of 'notes.txt.bak' is not supported" "unknown extension"

"$tesk" -nomusic >"$log" 2>&1
expect_code 255 $? "no file and no display"

"$tesk" missing-mesh.OBJ -display 800x600 >"$log" 2>&1
expect_code 1 $? "mesh that does not exist"
expect_line "$log" "INFO : video driver: null (TESK_DRIVER=null)" "mesh that does not exist"
expect_line "$log" "ERROR : Failed to load object missing-mesh.OBJ" "mesh that does not exist"

"$tesk" missing-mesh.x -userlog >"$log" 2>&1
expect_code 1 $? "quiet log"
grep -q "INFO :" "$log" && fail "quiet log: -userlog still prints INFO lines"
expect_line "$log" "ERROR : Failed to load object missing-mesh.x" "quiet log"

"$tesk" missing-mesh.lwo -framestart >"$log" 2>&1
expect_line "$log" "WARN : option '-framestart' needs a value and was ignored" "option without value"

printf '[Setup\ndisplay = 800 600\n' > tesk-setup.ini
"$tesk" thing.x >"$log" 2>&1
expect_code 255 $? "malformed setup file"
expect_line "$log" "Setup file 'tesk-setup.ini' is malformed" "malformed setup file"
rm tesk-setup.ini

# A display that cannot be opened: the device fails and the start-up says so.
DISPLAY=:999 TESK_DRIVER=opengl "$tesk" thing.x >"$log" 2>&1
expect_code 255 $? "failed device"
expect_line "$log" "ERROR : Setup failed: fails to createDevice" "failed device"

finish
