# Helpers for end-to-end scripts: each check prints what failed and the run goes on.
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_code() { # expected actual what
  [ "$1" = "$2" ] || fail "$3: exit code $2, expected $1"
}
expect_line() { # file text what
  grep -qF -- "$2" "$1" || { fail "$3: missing line '$2'"; sed 's/^/    | /' "$1" | head -20; }
}
finish() {
  if [ "$failures" -ne 0 ]; then echo "$failures check(s) failed"; exit 1; fi
  echo "all checks passed"
}
# Polls a command every 0.2 s until it succeeds; false after the given seconds.
wait_until() { # seconds command...
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}
# Writes a picture of an X window (PNG, through ImageMagick) to a file.
grab_window() { # window file
  xwd -id "$1" -silent 2>/dev/null | /usr/bin/convert xwd:- "$2" 2>/dev/null
}
# The OpenGL driver on the X display the script was given, and a scratch
# folder $work (removed on exit); the current folder stays.
enter_gl_scratch() {
  export TESK_DRIVER=opengl
  [ -n "${DISPLAY:-}" ] || { echo "needs an X display"; exit 1; }
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
}
# Runs the rest of the script in a scratch folder, $work (removed on exit), on
# the null driver without a display; $out and $err name files for captured output.
enter_null_driver_scratch() {
  export TESK_DRIVER=null
  unset DISPLAY
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  cd "$work"
  out="$work/out.txt"
  err="$work/err.txt"
}
