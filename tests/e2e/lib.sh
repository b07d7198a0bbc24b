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
