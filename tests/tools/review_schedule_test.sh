#!/bin/sh
# orvanta-lesson review-schedule: why a word comes back when it does.
set -u
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
. "${0%/*}/../checks.sh"

"$tool" review-schedule --start 2026-03-02T09:00:00+08:00 good again good > "$dir/out.txt"
check "review-schedule exits 0" [ $? -eq 0 ]
printf 'good\t2026-03-05T09:00:00+08:00\t2.30650000\t2.11810397\nagain\t2026-03-06T09:00:00+08:00\t0.63685069\t7.39450274\ngood\t2026-03-09T09:00:00+08:00\t2.44661061\t7.38233661\n' > "$dir/expected.txt"
check "one line per review, each on the day the one before fell due" cmp -s "$dir/out.txt" "$dir/expected.txt"

"$tool" review-schedule --start 2026-03-02T09:00:00+08:00 good maybe > "$dir/out.txt" 2> "$dir/err.txt"
check "a rating it cannot read exits 2" [ $? -eq 2 ]
check "and names it" grep -q 'not a rating: maybe' "$dir/err.txt"
"$tool" review-schedule --start 2026-03-02 good > /dev/null 2>&1
check "a date without a time exits 2" [ $? -eq 2 ]
"$tool" review-schedule --start -001-03-02T09:00:00+08:00 good > /dev/null 2>&1
check "a negative year exits 2" [ $? -eq 2 ]
"$tool" review-schedule --start 9999-12-01T09:00:00+08:00 easy easy easy easy > "$dir/out.txt" 2> "$dir/err.txt"
check "a schedule past the year 9999 exits 2" [ $? -eq 2 ]
check "and says so" grep -q 'beyond the year 9999' "$dir/err.txt"

finish
