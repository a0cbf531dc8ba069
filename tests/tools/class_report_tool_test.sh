#!/bin/sh
# orvanta-lesson class-report: the class folder read from the command line,
# with a file it cannot read among the learners'.
set -u
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
. "${0%/*}/../checks.sh"

mkdir -p "$dir/班级/progress"
printf 'orvanta-class-progress\t1\nlearner\t王明\npublished\t2026-03-09T08:00:00+08:00\nlesson\tJ01A\t第一课\t3\t41.260\t40.000\t87.500\t2026-03-09\t2\t1\nday\t2026-03-09\t3\t600\nend\t4\n' \
    > "$dir/班级/progress/王明@lab-1.progress"
printf 'orvanta-class-progress\t1\nlearner\t李华\n' > "$dir/班级/progress/李华@lab-2.progress"

"$tool" class-report "$dir/班级" --csv > "$dir/out.csv" 2> "$dir/err.txt"
check "class-report --csv exits 0 with a file it cannot read" [ $? -eq 0 ]
printf '\357\273\277learner,lesson,attempts,best_speed,last_speed,first_try_accuracy,last_practised,due_reviews\r\n王明,J01A,3,41.3,40.0,87.5,2026-03-09,1\r\n' > "$dir/expected.csv"
check "the CSV: byte order mark, the header, plain numbers, ISO dates" cmp -s "$dir/out.csv" "$dir/expected.csv"
check "the file it cannot read is named on standard error" grep -q '李华@lab-2.progress' "$dir/err.txt"

"$tool" class-report "$dir/班级" > "$dir/out.txt" 2>&1
check "the text report names the file too" grep -q '李华@lab-2.progress' "$dir/out.txt"
check "and tells where the class stops" grep -q '^J01A 第一课 基本课文	1	1$' "$dir/out.txt"

"$tool" class-report "$dir/nowhere" > /dev/null 2>&1
check "a folder that is not there exits 2" [ $? -eq 2 ]

finish
