#!/bin/sh
# The installed launcher changes to the program folder before it starts the
# program: a class folder and a lesson file named where the command was typed
# must reach the program as the same places, and the other arguments as given.
set -eu
launcher_source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/program" "$work/typed/班级" "$work/typed/lessons"
: >"$work/typed/lessons/my lesson.ORV"
sed "s|@PROGRAM_DIR@|$work/program|" "$launcher_source" >"$work/launcher"
printf '#!/bin/sh\npwd\nfor a in "$@"; do echo "[$a]"; done\n' >"$work/program/orvanta"
chmod +x "$work/launcher" "$work/program/orvanta"
fail() { echo "FAIL: $*"; echo "$out"; exit 1; }

cd "$work/typed"
out=$(sh "$work/launcher" --learner "王 明" --class-folder 班级 "lessons/my lesson.ORV")
expected="$work/program
[--learner]
[王 明]
[--class-folder]
[$work/typed/班级]
[$work/typed/lessons/my lesson.ORV]"
[ "$out" = "$expected" ] || fail "options and a lesson"

out=$(sh "$work/launcher" --class-folder=../typed/not-yet 'ldata\J01A.ORV')
expected="$work/program
[--class-folder=$work/typed/not-yet]
[ldata\J01A.ORV]"
[ "$out" = "$expected" ] || fail "a folder that does not exist yet and a catalogue path"

out=$(sh "$work/launcher" --learner lessons)
[ "$out" = "$work/program
[--learner]
[lessons]" ] || fail "a learner named like a folder stays a name"
echo "launcher: ok"
