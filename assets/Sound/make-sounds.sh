#!/bin/sh
# Makes the cue sounds of Orvanta with sox (Debian package "sox"):
# 16-bit PCM WAV, 44.1 kHz, mono, each peak-normalised to -3 dBFS.
#   True.wav    a soft high tick (right character)
#   false.wav   a low buzz (wrong character)
#   back.wav    a short falling blip (character taken back)
#   Enter.wav   a two-note chime (line break)
#   finish.wav  a short rising arpeggio (attempt complete)
#   Type.wav    a very short click (key press)
set -eu
cd "$(dirname "$0")"
out="-r 44100 -c 1 -b 16 -e signed-integer"

sox -n $out True.wav synth 0.07 sine 1760 fade q 0.002 0.07 0.05 norm -3
sox -n $out false.wav synth 0.2 square 110 gain -6 lowpass 1200 fade q 0.01 0.2 0.08 norm -3
sox -n $out back.wav synth 0.1 sine 900:380 fade q 0.005 0.1 0.04 norm -3
sox -n $out note1.wav synth 0.1 sine 880 fade q 0.005 0.1 0.04
sox -n $out note2.wav synth 0.16 sine 1318.5 fade q 0.005 0.16 0.1
sox note1.wav note2.wav Enter.wav norm -3
for f in 523.25 659.25 783.99; do
    sox -n $out "arp$f.wav" synth 0.12 sine "$f" fade q 0.005 0.12 0.03
done
sox -n $out arpTop.wav synth 0.34 sine 1046.5 fade q 0.005 0.34 0.24
sox arp523.25.wav arp659.25.wav arp783.99.wav arpTop.wav finish.wav norm -3
sox -n $out Type.wav synth 0.018 whitenoise gain -6 highpass 2500 fade q 0.001 0.018 0.012 norm -3
rm -f note1.wav note2.wav arp*.wav
