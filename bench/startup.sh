#!/bin/sh
# Start-up of the built program under Xvfb: time from launch to the main window
# being mapped, and resident memory once it is shown; then the processor time
# of a running attempt (one key typed) over ten idle seconds.
# PROGRAM_DIR runs another build (default build/bin), DISPLAY_NUMBER picks the
# display (default :94); the journal is the one XDG_DATA_HOME leads to.
# Needs xvfb and xdotool.
set -eu
cd "${PROGRAM_DIR:-$(dirname "$0")/../build/bin}"
display=${DISPLAY_NUMBER:-:94}
Xvfb $display -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
for run in 1 2 3 4 5; do
    start=$(date +%s%N)
    DISPLAY=$display ./orvanta ldata/J01A.ORV >/dev/null 2>&1 & app=$!
    until DISPLAY=$display xdotool search --onlyvisible --name '^Orvanta$' >/dev/null 2>&1; do
        sleep 0.002
    done
    shown=$(date +%s%N)
    sleep 1
    rss=$(awk '/VmRSS/ {print $2}' /proc/$app/status)
    echo "run $run: window shown after $(( (shown - start) / 1000000 )) ms, resident ${rss} kB"
    if [ $run -eq 5 ]; then
        window=$(DISPLAY=$display xdotool search --name '^Orvanta$' | head -1)
        DISPLAY=$display xdotool windowfocus --sync "$window" type 'x'
        sleep 1
        before=$(awk '{print $14 + $15}' /proc/$app/stat)
        sleep 10
        after=$(awk '{print $14 + $15}' /proc/$app/stat)
        ticks=$(getconf CLK_TCK)
        echo "running attempt, nothing typed: $(( (after - before) * 1000 / ticks / 10 )) ms of processor time per second"
    fi
    kill $app
    wait $app 2>/dev/null || true
done
