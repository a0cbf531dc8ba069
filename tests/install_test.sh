#!/bin/sh
# Installs into a temporary prefix, starts the installed copy as its desktop
# entry does with a lesson named on the command line, then uninstalls.
set -u
build=$1
source=$2
prefix=$(mktemp -d)
elsewhere=$(mktemp -d)
trap 'rm -rf "$prefix" "$elsewhere"' EXIT
. "${0%/*}/checks.sh"
both() { eval "$1" && eval "$2"; } # two conditions that make one check

cmake --install "$build" --prefix "$prefix" > /dev/null
program="$prefix/lib/orvanta"
check "the program folder holds the binary" [ -x "$program/orvanta" ]
check "... its sounds" [ -f "$program/Sound/True.wav" ]
check "... the 96 lessons" [ "$(ls "$program/ldata" | grep -c '\.ORV$')" -eq 96 ]
check "... the course's kanji and their readings" [ -s "$program/ldata/course_kanji.tsv" ]
check "... and the help" [ -f "$program/help/help.html" ]
check "a launcher and the lesson tool are in bin" \
    both "[ -x '$prefix/bin/orvanta' ]" "[ -x '$prefix/bin/orvanta-lesson' ]"
desktop="$prefix/share/applications/orvanta.desktop"
check "the desktop entry names the program folder" grep -qx "Path=$program" "$desktop"
check "the desktop entry takes lesson files" grep -q '^MimeType=application/x-orvanta-lesson;' "$desktop"
check "the icon is in the hicolor theme" [ -f "$prefix/share/icons/hicolor/256x256/apps/orvanta.png" ]
check "lesson files have a MIME type" [ -f "$prefix/share/mime/packages/orvanta-lesson.xml" ]

# A lesson in another folder, named relative to the folder the learner is in,
# its name in GBK (mine-练习.ORV) as in an old archive: no UTF-8.
cp "$program/ldata/J05A.ORV" "$elsewhere/$(printf 'mine-\301\267\317\260.ORV')"
exec_line=$(sed -n 's/^Exec=//p' "$desktop" | sed 's/ %f$//')
(cd "$elsewhere" && QT_QPA_PLATFORM=offscreen strace -f -qq -e trace=openat -o "$elsewhere/trace" \
    timeout 3 "$exec_line" "$(printf 'mine-\301\267\317\260.ORV')" > /dev/null 2>&1)
check "the installed copy keeps running until stopped" [ $? -eq 124 ]
check "it opened the lesson given on the command line, its name's bytes as they are" \
    grep -q "\"$elsewhere/mine-\\\\301\\\\267\\\\317\\\\260.ORV\", O_RDONLY.*) = [0-9]" "$elsewhere/trace"
check "it found its sounds in its own folder" grep -q "$program/Sound/Type.wav" "$elsewhere/trace"

printf 'saved scores' > "$program/user.cey"
cp "$build/install_manifest.txt" "$elsewhere/manifest"
printf 'not installed here' > "$elsewhere/other"
printf '\n%s\n' "$elsewhere/other" >> "$elsewhere/manifest"
"$source/scripts/uninstall" "$elsewhere/manifest" "$prefix/" 2> "$elsewhere/uninstall.log"
check "uninstall removes the program" both "[ ! -e '$program/orvanta' ]" "[ ! -e '$prefix/bin/orvanta' ]"
check "uninstall removes the lessons and the desktop entry" \
    both "[ ! -e '$program/ldata' ]" "[ ! -e '$desktop' ]"
check "... and the manual pages and notes" \
    both "[ ! -e '$prefix/share/man/man1/orvanta.1.gz' ]" "[ ! -e '$prefix/share/doc/orvanta' ]"
check "uninstall keeps the history" [ "$(cat "$program/user.cey")" = "saved scores" ]
check "uninstall leaves a listed file outside the prefix alone" [ -f "$elsewhere/other" ]
check "... and says so" grep -q "left alone: $elsewhere/other" "$elsewhere/uninstall.log"

finish
