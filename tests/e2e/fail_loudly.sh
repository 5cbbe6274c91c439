#!/usr/bin/env bash
# Starts that must be refused, and a session that loses lines, with the real zot
# binary: answers on standard input, then the exit code, the messages and the
# files left behind. A refused start ends with exit code 2 before any result
# file exists; a session that lost result lines ends with exit code 3.
#
#   fail_loudly.sh <run folder> [program file name]     (needs DISPLAY for the shader and lost-line cases)
set -euo pipefail

run_dir=$(cd "$1" && pwd)
zot_name=${2:-zot}
. "$(dirname "$0")/session_lib.sh"

answers='S01 CODE\n1\n30 f r 0\n'
base_cfg='display=MONITOR
refreshRate=60
mode=WHOLE
blocksPerRun=1
trialsPerBlock=2
practiceBlock=1
randomSeed=4242'

# A scratch run folder whose data/ and shaders/ are linked file by file, so a
# case can spoil one file without touching the run folder.
fresh() {
    e2e_cleanup
    e2e_setup
    rm "$work/data" "$work/shaders"
    cp -rs "$run_dir/data" "$work/data"
    cp -rs "$run_dir/shaders" "$work/shaders"
    printf '%s\n' "$base_cfg" >"$work/zot.cfg"
}
work=
zot_pid=

# Plays one trial of the running zot up to its report screen (seen once the
# timing file holds the given number of lines), types a letter and ends the
# session with Escape.
one_trial_then_escape() {
    local timing="$work/logs/ZOT_vive_S01_1_timing.dat"
    key space
    for _ in $(seq 200); do
        [ "$(wc -l <"$timing")" -ge "$1" ] && break
        kill -0 "$zot_pid" 2>/dev/null || fail "zot ended during the trial"
        sleep 0.05
    done
    [ "$(wc -l <"$timing")" -ge "$1" ] || fail "the report screen never came"
    key a
    sleep 0.3
    key Escape
}

# refused <case> <expected stderr line (grep -F)>...: runs zot, which must end
# with exit code 2, say each line, say the session was not started, and leave
# the folder as it found it.
refused() {
    local name=$1 code=0 before after line
    shift
    before=$(cd "$work" && find . | sort)
    (cd "$work" && printf '%b' "$answers" | exec_zot >out.txt 2>err.txt) || code=$?
    [ "$code" -eq 2 ] || fail "$name: exit code $code, expected 2"
    for line in "$@" "ERROR > the session was not started; nothing was written"; do
        grep -qF -- "$line" "$work/err.txt" || fail "$name: no '$line' on standard error"
    done
    after=$(cd "$work" && find . | grep -vxE '\./(out|err)\.txt' | sort)
    [ "$before" = "$after" ] || fail "$name: files were left behind: $(diff <(echo "$before") <(echo "$after"))"
    echo "refused as it should: $name"
}

fresh; rm -r "$work/data" "$work/shaders"
refused "started outside the run folder" "ERROR > data/: no such folder here" "ERROR > shaders/: no such folder here" \
    "ERROR > start zot from its run folder, which holds data/ and shaders/"

fresh; rm -r "$work/shaders"
refused "no shaders" "ERROR > shaders/: no such folder here" "start zot from its run folder"

fresh; k=data/letters_arial_68pt_100px_hcenter_vcenter/K.limg
rm "$work/$k"; head -c 5000 "$run_dir/$k" >"$work/$k"
refused "truncated letter" "ERROR > $k: announces 100 x 100 pixels but holds 5000 bytes instead of 40008"

fresh; rm "$work/data/verdana16_widths.txt"; head -c 50 "$run_dir/data/verdana16_widths.txt" >"$work/data/verdana16_widths.txt"
refused "50-byte width table" "ERROR > data/verdana16_widths.txt: holds" "character widths where 256 are needed"

fresh; printf '%s\ntrialsPerBlock=2000000000\n' "$base_cfg" >"$work/zot.cfg"
refused "too many trials" "trialsPerBlock = 2000000000" "blocksPerRun = 1" "100000"

fresh; printf 'in the way\n' >"$work/logs"
refused "logs is a file" "ERROR > logs: is not a folder"
[ "$(cat "$work/logs")" = "in the way" ] || { echo "FAIL: the file named logs changed" >&2; exit 1; }

fresh; mkdir -p "$work/logs/ZOT_vive_S01_1.dat"
refused "a folder in the data file's place" "ERROR > $(shown_path logs/ZOT_vive_S01_1.dat): cannot be opened for appending"

# The driver refuses a shader only once the window is open: still exit code 2,
# with the driver's log, before any result file exists.
fresh; rm "$work/shaders/shader2D.fs"; printf '#version 330 core\nvoid main() { nonsense }\n' >"$work/shaders/shader2D.fs"
refused "shader that does not compile" "ERROR > the shader shaders/shader2D.fs did not compile" \
    "ERROR > the shader program could not be linked"
grep -q "program linked successfully" "$work/out.txt" && fail "a failed link passed for a success"

# A session whose history file turns into a folder after the start: every line
# for it fails, each one is reported, the count and the file are named at the
# end, and the exit code says so. The data and timing files go on.
fresh
start_zot "$answers" 1
history="$work/logs/ZOT_vive_S01_1_history.dat"
# The run, and with it the history file, is made just after the window opens.
for _ in $(seq 100); do
    [ -f "$history" ] && break
    sleep 0.1
done
rm "$history"
mkdir "$history"
one_trial_then_escape 2
expect_exit 3
# The trial's four phase lines and the typed letter.
[ "$(grep -cF "ERROR > could not write to $(shown_path logs/ZOT_vive_S01_1_history.dat): " "$work/err1.txt")" -eq 5 ] ||
    fail "not one error per lost line"
grep -qxF "ERROR > 5 result line(s) could not be written and are lost:" "$work/err1.txt" || fail "no count of lost lines"
grep -qxF "ERROR >   5 line(s) of $(shown_path logs/ZOT_vive_S01_1_history.dat)" "$work/err1.txt" ||
    fail "lost lines' file not named"
echo "lost lines reported, exit code 3: OK"

# A subject ID of 300 characters with bytes no file name may hold: the names are
# cut and end in a hash, the history keeps the answer in full.
fresh
long_id=$(printf 'VP/%.0s' $(seq 100))
start_zot "$long_id CODE\\n1\\n30 f r 0\\n" 4
key Escape
expect_exit 0
for f in "$work"/logs/*; do
    name=$(basename "$f")
    [ "${#name}" -le 255 ] || fail "file name of ${#name} bytes"
    case "$name" in ZOT_vive_VP%2FVP%2F*~????????_practice.dat | ZOT_vive_VP%2FVP%2F*~????????.dat | \
        ZOT_vive_VP%2FVP%2F*~????????_history.dat | ZOT_vive_VP%2FVP%2F*~????????_timing.dat) ;;
    *) fail "unexpected file $name" ;;
    esac
done
[ "$(ls "$work/logs" | wc -l)" -eq 4 ] || fail "not four result files: $(ls "$work/logs")"
grep -qF "SubjectNumber: $long_id" "$work"/logs/*_history.dat || fail "the history lost the full subject ID"
grep -qF "too long for a file name" "$work/out4.txt" || fail "no warning about the cut name"
echo "long subject ID: OK"

# A full disk: a tiny file system on which the data, practice and history files
# end one byte short of a page, and the rest of the disk is filled. Every line for
# them is cut short by the disk: none may remain in part, each is reported, and
# the exit code is 3. The timing file has room, so the trial's end shows there.
# Needs the right to mount (root, as in CI).
fresh
mkdir "$work/logs"
if mount -t tmpfs -o size=64k zotfull "$work/logs" 2>/dev/null; then
    trap 'umount "$work/logs" 2>/dev/null; e2e_cleanup' EXIT
    for name in ZOT_vive_S01_1.dat ZOT_vive_S01_1_practice.dat ZOT_vive_S01_1_history.dat; do
        { head -c 4094 /dev/zero | tr '\0' 'x'; echo; } >"$work/logs/$name"
    done
    echo timing >"$work/logs/ZOT_vive_S01_1_timing.dat"
    cat /dev/zero >"$work/logs/filler" 2>/dev/null || true
    full=$(cat "$work"/logs/ZOT_vive_S01_1.dat "$work"/logs/ZOT_vive_S01_1_practice.dat \
        "$work"/logs/ZOT_vive_S01_1_history.dat | md5sum)
    start_zot "$answers" 5
    one_trial_then_escape 3
    expect_exit 3
    [ "$(cat "$work"/logs/ZOT_vive_S01_1.dat "$work"/logs/ZOT_vive_S01_1_practice.dat \
        "$work"/logs/ZOT_vive_S01_1_history.dat | md5sum)" = "$full" ] || fail "a partial line was left on the full disk"
    # Count lines of the data and practice files, 8 subject lines, the trial's 4
    # phase lines and its letter.
    [ "$(grep -cE "^ERROR > could not write to $(shown_path_pattern logs/ZOT_vive_S01_1).*: only 1 of [0-9]+ bytes were written$" \
        "$work/err5.txt")" -eq 15 ] || fail "not every cut-short line reported"
    grep -qxF "ERROR > 15 result line(s) could not be written and are lost:" "$work/err5.txt" || fail "no count"
    umount "$work/logs"
    trap e2e_cleanup EXIT
    echo "full disk: OK"
else
    echo "full disk: skipped (no right to mount a tmpfs here)"
fi

echo "fail loudly: OK"
