#!/bin/sh
# What `make test` runs, step by step, each timed; the times are printed at
# the end, also when a step fails: tools/make-test.sh BUILD JOBS
set -eu
BUILD=$1
JOBS=$2
times=$(mktemp)
began=$(date +%s)

report() {
    status=$?
    echo
    echo "make test: time by step"
    cat "$times"
    printf '  %-16s %4d s\n' total "$(($(date +%s) - began))"
    rm -f "$times"
    exit $status
}
trap report EXIT

step() {
    label=$1
    shift
    start=$(date +%s)
    "$@"
    printf '  %-16s %4d s\n' "$label" "$(($(date +%s) - start))" >>"$times"
}

step install tools/install-deps.sh
step "native build" make --no-print-directory -o deps native
step "native tests" ctest --test-dir "$BUILD/native" --output-on-failure -j "$JOBS"
step "Windows build" make --no-print-directory -o deps windows
step "release check" make --no-print-directory -o deps -o windows test-release
step "Windows tests" tools/test-windows.sh "$BUILD/windows"
