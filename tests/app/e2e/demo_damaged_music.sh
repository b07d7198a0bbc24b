# A demo whose music has a block of zeroed bytes: the music ends early and its
# position stops, so the demo clock goes on by the timer from there, says so
# once, and the demo reaches its end mark.
tesk=$1
source "$(dirname "$0")/lib.sh"
export TESK_AUDIO_SINK=fakesink
enter_null_driver_scratch
mkdir music
# Three seconds of tone; zeroing a quarter of the file shortens it to about two.
sox -n -r 44100 -c 2 tone.wav synth 3 sine 440
lame --quiet -b 128 tone.wav music/tone.mp3
size=$(stat -c %s music/tone.mp3)
cp music/tone.mp3 music/damaged.mp3
dd if=/dev/zero of=music/damaged.mp3 bs=1 seek=$((size / 3)) count=$((size / 4)) conv=notrunc status=none

printf '{ Scene\n{ Cameras\n{ C\n}\n}\n}\n' > part.tscn
printf '[setup]\nmusicdirectory = music\n[part1]\ntime = 0\nmusic = damaged.mp3\nfilename = part.tscn\n' > d.demo.ini
printf '[part2_end]\ntime = 2600\n' >> d.demo.ini
start=$SECONDS
timeout 60 "$tesk" d.demo.ini > out.txt 2>&1
expect_code 0 $? "demo with a damaged music"
[ $((SECONDS - start)) -lt 30 ] || fail "the demo took $((SECONDS - start)) s to reach its end mark"
expect_line out.txt "WARN : Music 1 stopped at" "the music that stopped is named"
expect_line out.txt "(it ended): the demo goes on by the timer" "the reason"
[ "$(grep -c 'WARN : Music 1 stopped' out.txt)" -eq 1 ] || fail "the stop was reported more than once"

# The same demo with the whole music plays without a word about it.
sed -i 's/damaged.mp3/tone.mp3/' d.demo.ini
timeout 60 "$tesk" d.demo.ini > out.txt 2>&1
expect_code 0 $? "demo with a good music"
grep -q "WARN : Music" out.txt && fail "a good music was reported: $(grep 'WARN : Music' out.txt)"
finish
