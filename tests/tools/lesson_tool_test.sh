#!/bin/sh
# Drives orvanta-lesson as a teacher would: encode, decode, and every refusal.
set -u
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
check() { # description, condition...
    what=$1; shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
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
check "no output file is left behind" [ ! -e "$dir/bad.ORV" ] && [ ! -e "$dir/bad.ORV.part" ]

printf 'ok\n\377' | "$tool" encode > /dev/null 2> "$dir/err.txt"
check "invalid UTF-8 exits 1" [ $? -eq 1 ]
check "invalid UTF-8 is located" grep -q 'line 2, column 1' "$dir/err.txt"

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

echo "$(( 14 - failures )) passed, $failures failed"
[ "$failures" -eq 0 ]
