#!/bin/sh
# A class folder carried by a real sync engine: two Syncthing instances on
# loopback, each with a home of its own, one folder sent from the learner's
# side to the teacher's. A learner's attempt published on one side must show
# in class-report on the other. Discovery, relays and NAT traversal are off;
# every wait is bounded.
set -eu
lesson_tool=$1
publish_helper=$2
work=$(mktemp -d)
pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    for pid in $pids; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
command -v syncthing >/dev/null || { echo "syncthing is not installed (scripts/install-deps)"; exit 1; }

# A free loopback port: one no socket of this machine listens on yet.
used_ports() { cat /proc/net/tcp /proc/net/tcp6 2>/dev/null | awk 'NR>1 {split($2,a,":"); print a[2]}'; }
free_port() {
    port=$(( 20000 + ($$ * 7 + $1 * 131) % 30000 ))
    while used_ports | grep -qi "^$(printf '%04X' "$port")$"; do port=$((port + 1)); done
    echo "$port"
}

for side in learner teacher; do
    syncthing generate --home="$work/$side" --no-default-folder >/dev/null 2>&1
    mkdir -p "$work/$side/class/.stfolder"
done
id_of() { syncthing serve --home="$work/$1" --device-id; }
learner_id=$(id_of learner)
teacher_id=$(id_of teacher)
learner_port=$(free_port 1)
teacher_port=$(free_port 2)
[ "$teacher_port" != "$learner_port" ] || teacher_port=$((teacher_port + 1))

# config SIDE OWN-ID OWN-PORT OTHER-ID OTHER-PORT FOLDER-TYPE
config() {
    cat >"$work/$1/config.xml" <<XML
<configuration version="36">
    <folder id="class" label="class" path="$work/$1/class" type="$6" rescanIntervalS="1" fsWatcherEnabled="false" ignorePerms="false">
        <device id="$2"></device>
        <device id="$4"></device>
    </folder>
    <device id="$2" name="$1"><address>dynamic</address></device>
    <device id="$4" name="other"><address>tcp://127.0.0.1:$5</address></device>
    <gui enabled="false"></gui>
    <options>
        <listenAddress>tcp://127.0.0.1:$3</listenAddress>
        <globalAnnounceEnabled>false</globalAnnounceEnabled>
        <localAnnounceEnabled>false</localAnnounceEnabled>
        <relaysEnabled>false</relaysEnabled>
        <natEnabled>false</natEnabled>
        <urAccepted>-1</urAccepted>
        <autoUpgradeIntervalH>0</autoUpgradeIntervalH>
        <crashReportingEnabled>false</crashReportingEnabled>
        <startBrowser>false</startBrowser>
        <reconnectionIntervalS>1</reconnectionIntervalS>
        <minHomeDiskFree unit="%">0</minHomeDiskFree>
    </options>
</configuration>
XML
}
config learner "$learner_id" "$learner_port" "$teacher_id" "$teacher_port" sendonly
config teacher "$teacher_id" "$teacher_port" "$learner_id" "$learner_port" receiveonly

for side in learner teacher; do
    STNOUPGRADE=1 STNODEFAULTFOLDER=1 syncthing serve --home="$work/$side" --no-browser \
        --no-restart --no-upgrade --logflags=0 >"$work/$side.log" 2>&1 &
    pids="$pids $!"
done

# The learner practises and the program publishes into its class folder.
"$publish_helper" "$work/journal.sqlite3" "$work/learner/class" "王明"

csv=""
for _ in $(seq 1 90); do
    csv=$("$lesson_tool" class-report "$work/teacher/class" --csv 2>/dev/null || true)
    case $csv in *王明,J01A,*) break ;; esac
    sleep 1
done
echo "class-report on the teacher's side:"
echo "$csv"
case $csv in
*王明,J01A,1,*) echo "syncthing: ok" ;;
*)
    echo "FAIL: the learner's file did not reach the teacher within 90 s"
    tail -20 "$work/learner.log" "$work/teacher.log"
    exit 1
    ;;
esac
