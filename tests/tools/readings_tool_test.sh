#!/bin/sh
# orvanta-lesson readings as a teacher uses it before class.
set -u
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
. "${0%/*}/../checks.sh"

printf 'あれは辞書ですか。\n日本へ行きます。' | "$tool" encode -o "$dir/L.ORV"
"$tool" readings "$dir/L.ORV" > "$dir/out.txt"
check "readings exits 0" [ $? -eq 0 ]
printf 'あれは辞書[じしょ]ですか。\n日本[にっぽん]へ行[い]きます。' > "$dir/expected.txt"
check "each kanji run is followed by its reading" cmp -s "$dir/out.txt" "$dir/expected.txt"

printf '# checked\n日本\tにほん\nbroken line\n' > "$dir/L.yomi"
"$tool" readings "$dir/L.ORV" > "$dir/out.txt" 2> "$dir/err.txt"
check "a bad line in the corrections exits 1" [ $? -eq 1 ]
check "the corrections are applied" grep -q '日本\[にほん\]へ' "$dir/out.txt"
check "the bad line is named" grep -q 'L.yomi line 3' "$dir/err.txt"

"$tool" readings --dictionary "$dir/none" "$dir/L.ORV" > "$dir/out.txt" 2> "$dir/err.txt"
check "no dictionary exits 3" [ $? -eq 3 ]
check "and says what to install" grep -q 'mecab-ipadic-utf8' "$dir/err.txt"
check "and writes nothing" [ ! -s "$dir/out.txt" ]

# A corrections file that is no regular file is refused at once, never waited for.
rm "$dir/L.yomi"
mkfifo "$dir/L.yomi"
timeout 10 "$tool" readings "$dir/L.ORV" > "$dir/out.txt" 2> "$dir/err.txt"
check "corrections in a pipe exit 2" [ $? -eq 2 ]
check "saying why" grep -q "cannot read $dir/L.yomi: it is not a regular file" "$dir/err.txt"
rm "$dir/L.yomi"

# "a", then a word whose descrambled value overflows, then "b": as decode.
printf '\251\015\065\215\250\015\000\000' > "$dir/broken.ORV"
"$tool" readings "$dir/broken.ORV" > "$dir/out.txt" 2> "$dir/err.txt"
check "a lesson that does not decode exits 1" [ $? -eq 1 ]
check "after the text before the broken word" [ "$(cat "$dir/out.txt")" = "a" ]
check "naming its offset" grep -q 'offset 2' "$dir/err.txt"

"$tool" readings "$dir/missing.ORV" > /dev/null 2> "$dir/err.txt"
check "an unreadable lesson exits 2" [ $? -eq 2 ]
"$tool" readings > /dev/null 2>&1
check "no file is a usage error" [ $? -eq 2 ]

finish
