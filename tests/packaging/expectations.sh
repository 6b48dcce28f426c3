# The checks' common words, sourced by each check script: fail says what is wrong and counts
# it, and the script exits with the count's verdict at its end.

failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}
# expect WHAT EXPECTED ACTUAL
expect() {
    [ "$2" == "$3" ] || fail "$1: expected [$2], got [$3]"
}
