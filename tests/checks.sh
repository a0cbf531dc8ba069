# Sourced by the shell tests: `check DESCRIPTION COMMAND...` runs one check,
# `finish` prints the closing count and gives the test's exit status.
passed=0
failures=0
check() {
    what=$1; shift
    if "$@"; then echo "ok: $what"; passed=$((passed + 1));
    else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
finish() {
    echo "$passed passed, $failures failed"
    [ "$failures" -eq 0 ]
}
