#!/usr/bin/env bash
# Crash durability, as a power cut or a killed process meets a running session:
# the real zot in a virtual X server plays trials with real X key events and is
# ended with SIGKILL at a seeded random moment, start after start, every start
# appending to the same result files. After every kill:
# - no line of the data, history or timing file is partial, and what earlier
#   starts wrote is unchanged;
# - every trial whose closing space press zot accepted (it went on to the next
#   trial) has its record, and every record is complete and the same trial in
#   all three files: the stimulus of the history and the condition and exposure
#   of the timing line, the letters typed in the history and in the record.
# A last start, not killed, ends with Escape and exit code 0.
#
#   kill_session.sh <run folder> [starts] [seed] [program file name]     (needs DISPLAY)
set -euo pipefail

run_dir=$(cd "$1" && pwd)
starts=${2:-20}
seed=${3:-1}
zot_name=${4:-zot}
. "$(dirname "$0")/session_lib.sh"
e2e_setup

logs="$work/logs"
data="$logs/ZOT_vive_S01_1.dat"
history="$logs/ZOT_vive_S01_1_history.dat"
timing="$logs/ZOT_vive_S01_1_timing.dat"
answers='S01 CODE\n1\n30 f r 0\n'
alphabet=ABDEFGHJKLMNOPRSTUVX
trials_per_block=40
RANDOM=$seed

write_config() {
    cat >"$work/zot.cfg" <<CFG
display=MONITOR
refreshRate=60
mode=WHOLE
blocksPerRun=1
trialsPerBlock=$trials_per_block
practiceBlock=0
randomSeed=$1
CFG
}

# Trials whose report screen came up since the start (the history's "blank"
# lines after the saved copy).
reports_since_start() {
    local n
    n=$(tail -c +$(($(size_of "$work/before.history") + 1)) "$history" 2>/dev/null |
        grep -cP '^-?[0-9]+\tblank\r?$') || true
    echo "${n:-0}"
}

size_of() { [ -f "$1" ] && stat -c %s "$1" || echo 0; }

# Plays trials until zot is gone: space, wait for the report screen, type
# trial k's letter, wait out the 1800 ms lock-out, space again. Sets typed (the
# letters, in trial order) and accepted (trials zot went on from, which proves
# their closing space press was taken).
play_until_killed() {
    local k=0 started letter
    typed=
    accepted=0
    key space 2>/dev/null || true
    while kill -0 "$zot_pid" 2>/dev/null; do
        started=$(date +%s%N)
        while kill -0 "$zot_pid" 2>/dev/null && [ "$(reports_since_start)" -le "$k" ]; do sleep 0.05; done
        [ "$(reports_since_start)" -gt "$k" ] || break
        accepted=$k
        letter=${alphabet:$((k % 20)):1}
        key "${letter,,}" 2>/dev/null || true
        typed+=$letter
        while [ $(($(date +%s%N) - started)) -lt 2100000000 ]; do sleep 0.05; done
        key space 2>/dev/null || true
        k=$((k + 1))
    done
}

# A file's text may only grow by whole lines.
check_file() {
    local file=$1 before=$2 what=$3
    [ -f "$file" ] || return 0
    cmp -s -n "$(size_of "$before")" "$before" "$file" || fail "start $s: $what: earlier lines changed"
    [ ! -s "$file" ] || [ -z "$(tail -c 1 "$file")" ] || fail "start $s: $what ends in a partial line"
    # Every new line must end the platform's way; the checks read them without.
    tail -c +$(($(size_of "$before") + 1)) "$file" >"$work/raw.$what"
    plain_copy "$work/raw.$what" "$work/new.$what"
}

# Checks what start $s added to the three files.
check_start() {
    local records count stimuli reports timing_lines
    for f in data history timing; do : >"$work/new.$f"; done
    check_file "$data" "$work/before.data" data
    check_file "$history" "$work/before.history" history
    check_file "$timing" "$work/before.timing" timing

    grep -qvP '^-?[0-9]+\t.' "$work/new.history" && fail "start $s: a history line without stamp or text"
    [ -s "$work/new.data" ] || return 0
    [ "$(head -n 1 "$work/new.data")" = "$trials_per_block" ] || fail "start $s: the data lines do not begin with a count line"
    tail -n +2 "$work/new.data" | grep -qvP '^[0-9]+\t[0-9]+\t[A-Z0]{6}\t[A-Z0]{6}\t(-|[A-Z]+)\t$' &&
        fail "start $s: a malformed record"
    records=$(tail -n +2 "$work/new.data")
    count=$(grep -c . <<<"$records") || true
    [ "$count" -ge "$accepted" ] || fail "start $s: $accepted trials were accepted, $count recorded"
    [ "$count" -le "${#typed}" ] || fail "start $s: $count records for ${#typed} trials played"
    [ "$count" -gt 0 ] || return 0
    recorded=$((recorded + count))

    # The record's report is what was typed in its trial, in trial order.
    reports=$(cut -f5 <<<"$records" | paste -sd '')
    [ "$reports" = "${typed:0:$count}" ] || fail "start $s: reports $reports, typed ${typed:0:$count}"
    # History: per trial fixation, the stimulus, masks, blank, then the letters.
    stimuli=$(awk -F'\t' '
        $2 == "fixation" { n++; expect = "stimulus"; next }
        expect == "stimulus" { stim[n] = $2 "\t" $3 "\t" $4 "\t" $5; expect = "masks"; next }
        expect == "masks" && $2 == "masks" { expect = "blank"; next }
        expect == "blank" && $2 == "blank" { done[n] = 1; expect = ""; next }
        $2 ~ /^report: [A-Z]$/ { typed[n] = typed[n] substr($2, 9) }
        END { for (i = 1; i <= n; i++) if (done[i]) print stim[i] "\t" (typed[i] == "" ? "-" : typed[i]) }
        ' "$work/new.history" | head -n "$count")
    [ "$stimuli" = "$(cut -f1-5 <<<"$records")" ] || fail "start $s: history and records differ:
$stimuli
---
$records"
    # Timing: a header, then block 0, trials 0, 1, ... with the records' condition and exposure.
    head -n 1 "$work/new.timing" | grep -qP '^block\ttrial\t' || fail "start $s: no timing header"
    timing_lines=$(tail -n +2 "$work/new.timing" | head -n "$count")
    [ "$(cut -f1-4 <<<"$timing_lines")" = "$(awk -F'\t' '{ print 0 "\t" NR - 1 "\t" $1 "\t" $2 }' <<<"$records")" ] ||
        fail "start $s: timing lines and records differ"
}

recorded=0
kills=0
for s in $(seq "$starts"); do
    for f in data history timing; do
        eval "src=\$$f"
        if [ -f "$src" ]; then cp "$src" "$work/before.$f"; else : >"$work/before.$f"; fi
    done
    write_config $((seed * 1000 + s))
    # From the first moments of the start up to some three trials in.
    delay_ms=$((100 + RANDOM % 8000))
    launch_zot "$answers" "$s"
    (sleep "$((delay_ms / 1000)).$(printf %03d $((delay_ms % 1000)))"; kill -9 "$zot_pid" 2>/dev/null) &
    killer=$!
    typed=
    accepted=0
    if await_window; then play_until_killed; fi
    wait "$killer" || true
    code=0
    wait "$zot_pid" 2>/dev/null || code=$?
    zot_pid=
    [ "$code" -eq 137 ] || fail "start $s: zot ended with code $code before it was killed"
    kills=$((kills + 1))
    check_start
    echo "start $s: killed after $delay_ms ms; ${#typed} trials played, $accepted accepted"
done

# A start after all the kills appends as usual and ends normally.
lines_before=$(wc -l <"$data")
write_config $((seed * 1000))
start_zot "$answers" last
key Escape
expect_exit 0
[ "$(tail -n +$((lines_before + 1)) "$data" | tr -d '\r')" = "$trials_per_block" ] || fail "the last start did not append its count line"

echo "kill session: $kills kills, $recorded records, all complete in data, history and timing"
