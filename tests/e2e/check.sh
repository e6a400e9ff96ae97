# Sourced by the end-to-end scripts: one line per expectation, and the count of those that failed.
fails=0
check() { # description, expected, actual
    if [[ "$2" == "$3" ]]; then
        echo "ok: $1"
    else
        echo "FAILED: $1"
        echo "  expected: $(printf %q "$2")"
        echo "  actual:   $(printf %q "$3")"
        fails=$((fails + 1))
    fi
}
