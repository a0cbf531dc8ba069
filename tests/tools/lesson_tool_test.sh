#!/bin/sh
# Drives orvanta-lesson as a teacher would: encode, decode, and every refusal.
set -u
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
. "${0%/*}/../checks.sh"
# Nothing but the named files in the test folder: no temporary file left behind.
only() {
    [ "$(cd "$dir" && ls -A | LC_ALL=C sort)" = "$(printf '%s\n' "$@" | LC_ALL=C sort)" ]
}

printf 'これは本です。\n李：はい、そうです。\r\n最後の行' > "$dir/in.txt"
"$tool" encode -o "$dir/a.ORV" "$dir/in.txt"
check "encode exits 0" [ $? -eq 0 ]
"$tool" decode "$dir/a.ORV" > "$dir/out.txt"
check "decode exits 0" [ $? -eq 0 ]
printf 'これは本です。\r\n李：はい、そうです。\r\n最後の行' > "$dir/expected.txt"
check "round trip gives CR LF line ends" cmp -s "$dir/out.txt" "$dir/expected.txt"

printf 'ab\ncｱ' | "$tool" encode -o "$dir/bad.ORV" 2> "$dir/err.txt"
check "a character outside GBK exits 1" [ $? -eq 1 ]
check "the error names it with line and column" grep -q 'U+FF71 at line 2, column 2' "$dir/err.txt"
check "no output file is left behind" only a.ORV err.txt expected.txt in.txt out.txt

printf 'ok\n\377' | "$tool" encode > /dev/null 2> "$dir/err.txt"
check "invalid UTF-8 exits 1" [ $? -eq 1 ]
check "invalid UTF-8 is located" grep -q 'line 2, column 1' "$dir/err.txt"
printf 'ok\nab\033c' | "$tool" encode > /dev/null 2> "$dir/err.txt"
check "a control character exits 1, as the editor refuses it" [ $? -eq 1 ]
check "and is located" grep -q 'control character at line 2, column 3' "$dir/err.txt"

"$tool" decode "$dir/none.ORV" > "$dir/out.txt" 2>/dev/null
check "an unreadable file exits 2" [ $? -eq 2 ]
check "and writes nothing" [ ! -s "$dir/out.txt" ]

# "a", then a word whose descrambled value overflows, then "b".
printf '\251\015\065\215\250\015\000\000' > "$dir/broken.ORV"
"$tool" decode "$dir/broken.ORV" > "$dir/out.txt" 2> "$dir/err.txt"
check "a broken word exits 1" [ $? -eq 1 ]
check "what came before it is written" [ "$(cat "$dir/out.txt")" = "a" ]
check "its byte offset is named" grep -q 'offset 2' "$dir/err.txt"

"$tool" --help | grep -q 'orvanta-lesson encode'
check "--help explains both commands" [ $? -eq 0 ]

# Every kind of line break becomes CR LF; a byte order mark is no character.
printf '\357\273\277a\rb\nc\r\nd\r\re' | "$tool" encode -o "$dir/breaks.ORV"
check "encode reads text with a byte order mark and lone CRs" [ $? -eq 0 ]
"$tool" decode "$dir/breaks.ORV" > "$dir/out.txt"
printf 'a\r\nb\r\nc\r\nd\r\n\r\ne' > "$dir/expected.txt"
check "every line break comes back as CR LF, the mark is gone" cmp -s "$dir/out.txt" "$dir/expected.txt"

# "a", a lone LF and "b": decode shows the line break as the program takes it.
printf '\251\015\160\015\250\015\000\000' > "$dir/lf.ORV"
"$tool" decode "$dir/lf.ORV" > "$dir/out.txt"
check "a lone LF in a lesson file is decoded as CR LF" [ "$(od -An -c "$dir/out.txt" | tr -d ' ')" = 'a\r\nb' ]
rm "$dir/lf.ORV"

printf 'ab\360\237\230\200' | "$tool" encode > /dev/null 2> "$dir/err.txt"
check "a character outside the BMP exits 1" [ $? -eq 1 ]
check "it is named by its code point" grep -q 'U+1F600 at line 1, column 3' "$dir/err.txt"

# What is no regular file is refused at once, never waited for.
mkdir "$dir/DIR.ORV"
mkfifo "$dir/fifo.ORV"
for input in "$dir/DIR.ORV" "$dir/fifo.ORV" /dev/zero; do
    timeout 10 "$tool" decode "$input" > "$dir/out.txt" 2> "$dir/err.txt"
    check "decode $(basename "$input") exits 2" [ $? -eq 2 ]
    check "and says why" grep -q "cannot read $input: it is" "$dir/err.txt"
    timeout 10 "$tool" encode -o "$dir/x.ORV" "$input" 2> "$dir/err.txt"
    check "encode from $(basename "$input") exits 2" [ $? -eq 2 ]
done
check "no lesson is made from them" [ ! -e "$dir/x.ORV" ]
rmdir "$dir/DIR.ORV"
rm "$dir/fifo.ORV"

# The largest lesson the program reads, and one character more.
awk 'BEGIN { for (i = 0; i < 65535; i++) printf "a" }' > "$dir/largest.txt"
"$tool" encode -o "$dir/largest.ORV" "$dir/largest.txt"
check "the largest lesson is made" [ $? -eq 0 ]
"$tool" decode "$dir/largest.ORV" | cmp -s - "$dir/largest.txt"
check "and read back" [ $? -eq 0 ]
printf 'a' >> "$dir/largest.txt"
"$tool" encode -o "$dir/larger.ORV" "$dir/largest.txt" 2> "$dir/err.txt"
check "a larger one is refused" [ $? -eq 1 ] && [ ! -e "$dir/larger.ORV" ]
check "saying so" grep -q 'more than the 131072 bytes' "$dir/err.txt"
printf 'a' >> "$dir/largest.ORV"
"$tool" decode "$dir/largest.ORV" > /dev/null 2> "$dir/err.txt"
check "a lesson file above the limit is not decoded" [ $? -eq 2 ]
head -c 3000000 /dev/zero | "$tool" encode > /dev/null 2> "$dir/err.txt"
check "endless input is cut off" [ $? -eq 2 ] && grep -q 'larger than' "$dir/err.txt"
rm "$dir"/larg*

"$tool" encode -o "$dir/none.ORV" <&- 2> "$dir/err.txt"
check "encode with standard input closed exits 2" [ $? -eq 2 ]
check "saying so" grep -q 'standard input: it is closed' "$dir/err.txt"
check "and makes no lesson" [ ! -e "$dir/none.ORV" ]

"$tool" decode "$dir/a.ORV" > /dev/full 2> "$dir/err.txt"
check "decode to a full disk exits 1" [ $? -eq 1 ]
check "naming standard output" grep -q 'cannot write standard output' "$dir/err.txt"
"$tool" decode "$dir/a.ORV" >&- 2> "$dir/err.txt"
check "decode with standard output closed exits 1" [ $? -eq 1 ] && [ -s "$dir/err.txt" ]
"$tool" --help > /dev/full 2> "$dir/err.txt"
check "--help to a full disk exits 1 with a message" [ $? -eq 1 ] && [ -s "$dir/err.txt" ]
"$tool" encode "$dir/in.txt" > /dev/full 2> "$dir/err.txt"
check "encode to a full disk exits 1 with a message" [ $? -eq 1 ] && [ -s "$dir/err.txt" ]
"$tool" encode -o "$dir/nofolder/a.ORV" "$dir/in.txt" 2> "$dir/err.txt"
check "encode into a missing folder exits 1 with a message" \
    [ $? -eq 1 ] && grep -q "cannot write $dir/nofolder/a.ORV" "$dir/err.txt"
mkdir "$dir/folder.ORV"
"$tool" encode -o "$dir/folder.ORV" "$dir/in.txt" 2> "$dir/err.txt"
check "encode over a folder exits 2 with a message" [ $? -eq 2 ] && [ -s "$dir/err.txt" ]
check "and leaves the folder as it was" [ -d "$dir/folder.ORV" ]
rmdir "$dir/folder.ORV"

# Only a regular file is replaced: what else stands at OUT stays as it was.
mkfifo "$dir/fifo.ORV"
ln -s a.ORV "$dir/link.ORV"
for out in "$dir/fifo.ORV" "$dir/link.ORV" /dev/full; do
    timeout 10 "$tool" encode -o "$out" "$dir/in.txt" 2> "$dir/err.txt"
    check "encode over $(basename "$out") exits 2" [ $? -eq 2 ]
    check "and says why" grep -q "will not replace $out: it is" "$dir/err.txt"
done
check "which are left as they were" [ -p "$dir/fifo.ORV" ] && [ -L "$dir/link.ORV" ] && [ -c /dev/full ]
rm "$dir/fifo.ORV" "$dir/link.ORV"
chmod 640 "$dir/a.ORV"
"$tool" encode -o "$dir/a.ORV" "$dir/in.txt"
check "a replaced lesson keeps its permissions" [ "$(stat -c %a "$dir/a.ORV")" = 640 ]
chmod 444 "$dir/a.ORV"
"$tool" encode -o "$dir/a.ORV" "$dir/in.txt" 2> "$dir/err.txt"
check "a read-only lesson is not replaced" [ $? -eq 2 ] && grep -q 'read-only' "$dir/err.txt"
"$tool" encode -o "$dir/a.ORV" --force "$dir/in.txt"
check "unless forced, and stays read-only" [ $? -eq 0 ] && [ "$(stat -c %a "$dir/a.ORV")" = 444 ]
chmod 644 "$dir/a.ORV"

printf 'keep' > "$dir/a.ORV.part"
"$tool" encode -o "$dir/a.ORV" "$dir/in.txt"
check "encode beside an existing OUT.part exits 0" [ $? -eq 0 ]
check "and leaves OUT.part as it was" [ "$(cat "$dir/a.ORV.part")" = "keep" ]
check "and no temporary file" only a.ORV a.ORV.part breaks.ORV broken.ORV err.txt expected.txt \
    in.txt out.txt

finish
