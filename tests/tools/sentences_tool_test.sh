#!/bin/sh
# orvanta-lesson sentences on a recording spoken at test time.
set -u
tool=$1
for needed in espeak-ng sox; do
    if ! command -v "$needed" >/dev/null; then
        echo "SKIP: $needed is not installed: no recording can be made"
        exit 77
    fi
done
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
. "${0%/*}/../checks.sh"

espeak-ng -v ja -w "$dir/1.wav" 'わたしは がくせいです。'
espeak-ng -v ja -w "$dir/2.wav" 'これは ほんです。'
sox -n -r 22050 -c 1 -b 16 "$dir/pause.wav" trim 0 1.5
sox "$dir/pause.wav" "$dir/1.wav" "$dir/pause.wav" "$dir/2.wav" "$dir/pause.wav" "$dir/two.wav"

"$tool" sentences "$dir/two.wav" > "$dir/out.txt"
check "a recording alone exits 0" [ $? -eq 0 ]
check "with START<TAB>END for each of its two sentences" \
    [ "$(grep -cE '^[0-9]+\.[0-9]{2}	[0-9]+\.[0-9]{2}$' "$dir/out.txt")" -eq 2 ]

printf '私は学生です。\n\nこれは本です。\n' | "$tool" encode -o "$dir/L.ORV"
"$tool" sentences "$dir/two.wav" "$dir/L.ORV" > "$dir/out.txt"
check "with a lesson of as many lines it exits 0" [ $? -eq 0 ]
check "naming the lines that hold text" \
    [ "$(cut -f1 "$dir/out.txt" | tr '\n' ' ')" = "1 3 " ]

printf '一。\n二。\n三。\n' | "$tool" encode -o "$dir/three.ORV"
"$tool" sentences "$dir/two.wav" "$dir/three.ORV" > "$dir/out.txt" 2> "$dir/err.txt"
check "a lesson of more lines than sentences exits 1" [ $? -eq 1 ]
check "printing what was found" [ "$(wc -l < "$dir/out.txt")" -eq 2 ]

printf 'no sound here' > "$dir/text.wma"
"$tool" sentences "$dir/text.wma" > "$dir/out.txt" 2> "$dir/err.txt"
check "a file that is no recording exits 2" [ $? -eq 2 ]
check "saying it cannot be decoded" grep -q "cannot decode $dir/text.wma" "$dir/err.txt"

"$tool" sentences "$dir/none.wma" 2> "$dir/err.txt"
check "a missing recording exits 2" [ $? -eq 2 ]

mkfifo "$dir/pipe.wma"
timeout 10 "$tool" sentences "$dir/pipe.wma" 2> "$dir/err.txt"
check "a recording in a pipe is refused at once with 2" [ $? -eq 2 ]

finish
