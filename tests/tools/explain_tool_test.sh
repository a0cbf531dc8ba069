#!/bin/sh
# orvanta-lesson explain as a teacher's script asks it.
set -u
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
. "${0%/*}/../checks.sh"

"$tool" explain 辞書 事象 じしょう > "$dir/out.txt"
check "explain exits 0" [ $? -eq 0 ]
check "the kind and the detail on one line" [ "$(cat "$dir/out.txt")" = "读音错误 长音" ]
check "a Chinese form" [ "$("$tool" explain 図 图)" = "中文字形" ]
check "a kanji of the same reading" [ "$("$tool" explain 辞 持)" = "选错汉字" ]
"$tool" explain 図 > /dev/null 2>&1
check "one word is a usage error" [ $? -eq 2 ]
"$tool" explain "$(printf '\377')" 图 > /dev/null 2>&1
check "bytes that are no UTF-8 are a usage error" [ $? -eq 2 ]
long=$(printf '辞%.0s' $(seq 1 2000))
"$tool" explain "$long" "$long" > /dev/null 2> "$dir/err.txt"
check "a long argument is refused at once" [ $? -eq 2 ]
check "the refusal says why" grep -q "at most 100 characters" "$dir/err.txt"

finish
