#!/bin/sh
# Runs one test executable with a fresh temporary HOME (the program writes
# under the home folder) and removes it afterwards.
home=$(mktemp -d "${TMPDIR:-/tmp}/nk-test-home.XXXXXX") || exit 1
mkdir -p "$home/tmp" "$home/run"
chmod 700 "$home/run"
HOME="$home"
TMPDIR="$home/tmp"
XDG_RUNTIME_DIR="$home/run"
QT_QPA_PLATFORM=offscreen
dir=$(dirname "$0")
LSAN_OPTIONS="suppressions=$dir/lsan.supp:print_suppressions=0"
ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:fast_unwind_on_malloc=1"
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Any report fails the test (exit code 66) once it has run to its end.
TSAN_OPTIONS="suppressions=$dir/tsan.supp:print_suppressions=0:second_deadlock_stack=1"
export HOME TMPDIR XDG_RUNTIME_DIR QT_QPA_PLATFORM LSAN_OPTIONS ASAN_OPTIONS UBSAN_OPTIONS TSAN_OPTIONS
"$@"
rc=$?
rm -rf "$home"
exit $rc
