#!/bin/sh
# orvanta-lesson slips on typing recorded from a real input method: every
# case in tests/data/slips gives the slips a teacher should read about it.
set -u
tool=$1
cases="${0%/*}/../data/slips"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
. "${0%/*}/../checks.sh"

for events in "$cases"/*.events; do
    name=${events%.events}
    "$tool" slips "$name.lesson.txt" "$events" > "$dir/out.txt"
    check "${name##*/} exits 0" [ $? -eq 0 ]
    check "${name##*/} gives its slips" diff -u "$name.expected" "$dir/out.txt"
done

lesson="$cases/zasshi.lesson.txt"
"$tool" slips "$dir/missing.txt" "$cases/zasshi.events" > /dev/null 2>&1
check "a missing lesson file exits 2" [ $? -eq 2 ]
"$tool" slips "$lesson" "$dir/missing.events" > /dev/null 2>&1
check "a missing events file exits 2" [ $? -eq 2 ]
printf '\377\376\n' > "$dir/latin1.txt"
"$tool" slips "$dir/latin1.txt" "$cases/zasshi.events" > /dev/null 2>&1
check "a lesson that is no UTF-8 text exits 2" [ $? -eq 2 ]
printf 'commit いいえ、\nback two\n' > "$dir/malformed.events"
"$tool" slips "$lesson" "$dir/malformed.events" > /dev/null 2> "$dir/err.txt"
check "a malformed event line exits 1" [ $? -eq 1 ]
check "the message names its line" grep -q "line 2" "$dir/err.txt"

finish
