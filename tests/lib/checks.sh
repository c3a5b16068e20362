# Shared by the shell tests: `check NAME COMMAND...` counts COMMAND's success,
# `finish SUITE` prints "SUITE: N passed, M failed" and fails when any did.
passed=0
failed=0

check() {
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    [ -n "${CHECKS_VERBOSE:-}" ] && echo "ok   $name"
  else
    failed=$((failed + 1))
    echo "FAIL $name"
  fi
  return 0
}

finish() {
  echo "$1: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
