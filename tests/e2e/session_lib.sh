# Shared by the end-to-end session scripts: a scratch folder beside the run
# folder, starting zot and finding its window, key presses, the scripted trials,
# and the checks of the result files the scripted session leaves behind, made
# the way analysis scripts read them.
#
# The sourcing script sets run_dir (and zot_name, the program's file name in
# it) before calling e2e_setup. ZOT_EMULATOR, when set, starts the program
# (wine for a Windows build); ZOT_LINE_END=crlf expects the result files'
# lines to end in CR LF, as text files do on Windows.

# Makes the scratch folder $work with the run folder's data and shaders.
e2e_setup() {
    work=$(mktemp -d)
    zot_pid=
    trap e2e_cleanup EXIT
    ln -s "$run_dir/data" "$work/data"
    ln -s "$run_dir/shaders" "$work/shaders"
}

# Ends a program still running (a failed check leaves it so) and waits until it
# is gone, so that its window cannot be taken for the next start's.
e2e_cleanup() {
    if [ -n "$zot_pid" ]; then
        kill -9 "$zot_pid" 2>/dev/null || true
        wait "$zot_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}

fail() {
    echo "FAIL: $*" >&2
    for f in "$work"/out*.txt "$work"/err*.txt "$work"/logs/*; do
        [ -f "$f" ] && { echo "--- $f" >&2; cat "$f" >&2; }
    done
    exit 1
}

# Starts zot in $work with the answers on standard input (output in
# out<tag>.txt and err<tag>.txt) and sets zot_pid to the program's own process.
launch_zot() {
    local answers=$1 tag=$2
    printf '%b' "$answers" >"$work/answers$tag.txt"
    # exec: the background job is zot itself, so zot_pid reaches the program.
    (cd "$work" && exec_zot <"answers$tag.txt" >"out$tag.txt" 2>"err$tag.txt") &
    zot_pid=$!
    zot_out="$work/out$tag.txt"
}

# Waits for the window of zot_pid (only that process's, never one a program
# before it left) to be on screen and gives it the focus; sets window. Keys
# sent before then would go nowhere. Returns 1 if zot ended first or no window
# came within 30 s.
await_window() {
    window=
    for _ in $(seq 300); do
        window=$(xdotool search --all --onlyvisible --pid "$zot_pid" --name '^ZOT$' 2>/dev/null | head -n 1) || true
        [ -n "$window" ] && break
        kill -0 "$zot_pid" 2>/dev/null || return 1
        sleep 0.1
    done
    [ -n "$window" ] || return 1
    # The window shows before the first frame is drawn (under wine by a second
    # or more); the start-up refresh check needs the frames before the first key.
    for _ in $(seq 300); do
        grep -q "first frame presented" "$zot_out" 2>/dev/null && break
        kill -0 "$zot_pid" 2>/dev/null || return 1
        sleep 0.1
    done
    # No window manager: put the pointer over the window and give it the focus.
    xdotool mousemove 10 10
    timeout 10 xdotool windowfocus --sync "$window" 2>/dev/null || return 1
}

start_zot() {
    launch_zot "$@"
    await_window || fail "no ZOT window appeared"
}

key() { xdotool key --delay 30 "$@"; }

# Runs zot from the run folder, through the emulator of a cross build.
exec_zot() { exec ${ZOT_EMULATOR:+"$ZOT_EMULATOR"} "$run_dir/${zot_name:-zot${ZOT_EXE_SUFFIX:-}}"; }

# Runs another program of the run folder (zotsim, zotfit) with the arguments
# given, through the emulator of a cross build. Paths in the arguments must be
# relative: a Windows program does not know Linux paths.
run_tool() {
    local name=$1
    shift
    ${ZOT_EMULATOR:+"$ZOT_EMULATOR"} "$run_dir/$name${ZOT_EXE_SUFFIX:-}" "$@"
}

# A relative path as the program prints it: with \ between folders on Windows.
shown_path() {
    if [ "${ZOT_PLATFORM:-linux}" = windows ]; then printf '%s' "${1//\//\\}"; else printf '%s' "$1"; fi
}

# The same as a pattern for grep -E.
shown_path_pattern() { shown_path "$1" | sed 's/[][\\.*^$+?(){}|]/\\&/g'; }

# Copies a text file the program wrote to the second path with LF line ends,
# after checking that every line of it ends the platform's way.
plain_copy() {
    local from=$1 to=$2 lines crlf
    lines=$(wc -l <"$from")
    crlf=$(grep -c $'\r$' "$from") || true
    if [ "${ZOT_LINE_END:-lf}" = crlf ]; then
        [ "$crlf" -eq "$lines" ] || fail "$from: $crlf of $lines lines end in CR LF, expected all"
    else
        [ "$crlf" -eq 0 ] || fail "$from: $crlf lines end in CR LF, expected none"
    fi
    tr -d '\r' <"$from" >"$to"
}

# The console output of every start so far, with LF line ends.
plain_console() {
    local f
    for f in "$work"/out*.txt "$work"/err*.txt; do
        [ -f "$f" ] && sed -i 's/\r$//' "$f"
    done
    return 0
}

# Waits until zot has ended and checks its exit code.
expect_exit() {
    local code=0
    for _ in $(seq 100); do
        kill -0 "$zot_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$zot_pid" 2>/dev/null && fail "zot did not end within 10 s"
    wait "$zot_pid" || code=$?
    zot_pid=
    plain_console
    [ "$code" -eq "$1" ] || fail "exit code $code, expected $1"
}

# Trials whose report screen has come up: the report phase writes "blank" to
# the history.
reports_shown() {
    local n
    n=$(grep -cP '^-?[0-9]+\tblank\r?$' "$work/logs/ZOT_vive_S01_1_history.dat" 2>/dev/null) || true
    echo "${n:-0}"
}

# The time stamp of the last history line with the given event.
last_stamp() {
    grep -P "^-?[0-9]+\t$1\r?\$" "$work/logs/ZOT_vive_S01_1_history.dat" | tail -n 1 | cut -f1
}

# One trial: space starts it; the phases run at the display's pace, so wait
# for the report screen; type the keys given; wait out the 1800 ms lock-out so
# that the next space ends the trial. The lock-out counts from the space press,
# before the first fixation frame: it is over once the program's clock has
# passed that frame's stamp by 1800 ms. The program's clock had reached the
# report screen's stamp when it was seen here, and both clocks run alike.
# Software GL on a busy machine has been seen to draw the headset's frames at
# under 7 per second (and slower under wine), so the wait allows a minute.
trial() {
    local before seen fixation blank
    before=$(reports_shown)
    key space
    for _ in $(seq 1200); do
        [ "$(reports_shown)" -gt "$before" ] && break
        kill -0 "$zot_pid" 2>/dev/null || fail "zot ended during a trial"
        sleep 0.05
    done
    [ "$(reports_shown)" -gt "$before" ] || fail "the report screen never came"
    seen=$(date +%s%N)
    [ $# -gt 0 ] && key "$@"
    fixation=$(last_stamp fixation)
    blank=$(last_stamp blank)
    while [ $(($(date +%s%N) - seen)) -lt $(((fixation + 1800 - blank + 100) * 1000000)) ]; do sleep 0.05; done
}

# The scripted session of both runs: practice "A" (B typed and removed) and
# nothing typed; one block "XYZ" (upper case ignored) and "D"; the end screen.
play_session() {
    trial a b BackSpace
    trial
    key space                    # ends practice 2 -> feedback
    sleep 0.3
    key space                    # feedback -> "Block 1 of 1"
    sleep 0.3
    trial x y shift+k z
    trial d
    key space                    # ends main 2 -> feedback
    sleep 0.3
    key space                    # -> end screen
    sleep 0.3
    key space                    # the end screen stays
    sleep 0.3
    key Escape
}

# check_session_files <logs folder> <allowed exposures in ms, as an ERE: '11|22'>
check_session_files() {
    local logs="$work/plain" exposures=$2
    local f record expected_header events trial_lines expected stimuli records
    mkdir -p "$logs"
    for f in "$1"/*; do plain_copy "$f" "$logs/$(basename "$f")"; done
    local history="$logs/ZOT_vive_S01_1_history.dat"
    local data="$logs/ZOT_vive_S01_1.dat"
    local practice="$logs/ZOT_vive_S01_1_practice.dat"
    local timing="$logs/ZOT_vive_S01_1_timing.dat"
    for f in "$data" "$practice" "$history" "$timing"; do [ -f "$f" ] || fail "missing $f"; done

    record='^[0-9]+\t[0-9]+\t[A-Z0]{6}\t[A-Z0]{6}\t(-|[A-Z]+)\t$'
    [ "$(wc -l <"$data")" -eq 3 ] || fail "data file: $(wc -l <"$data") lines, expected 3"
    [ "$(head -n 1 "$data")" = 2 ] || fail "data file count line"
    [ "$(tail -n +2 "$data" | grep -cP "$record")" -eq 2 ] || fail "data records malformed"
    [ "$(tail -n +2 "$data" | cut -f5 | paste -sd,)" = "XYZ,D" ] || fail "data reports"
    [ "$(wc -l <"$practice")" -eq 3 ] || fail "practice file lines"
    [ "$(head -n 1 "$practice")" = 2 ] || fail "practice count line"
    [ "$(tail -n +2 "$practice" | grep -cP "$record")" -eq 2 ] || fail "practice records malformed"
    [ "$(tail -n +2 "$practice" | cut -f5 | paste -sd,)" = "A,-" ] || fail "practice reports"

    # History: eight subject lines, then per trial its phases and keys in order.
    expected_header="SubjectNumber: S01,SubjectCode: CODE,Session: 1,Age: 30,Gender: f,Handedness: r,VisionAid: 0"
    [ "$(head -n 7 "$history" | cut -f2 | paste -sd,)" = "$expected_header" ] || fail "history header"
    sed -n 8p "$history" | grep -qP '^[0-9]+\tTime: [1-9][0-9]?/[1-9][0-9]?/[0-9]{4} [0-9]{1,2}:[0-9]{1,2}:[0-9]{1,2}$' ||
        fail "history date line"
    grep -qvP '^-?[0-9]+\t' "$history" && fail "history line without a time stamp"
    sort -n -c <(cut -f1 "$history") 2>/dev/null || fail "history time stamps go backwards"
    events=$(tail -n +9 "$history" | cut -f2 | sed -E 's/^[0-9]+$/stimulus/' | paste -sd,)
    trial_lines="fixation,stimulus,masks,blank"
    expected="$trial_lines,report: A,report: B,report: backspace,$trial_lines,$trial_lines,report: X,report: Y,report: Z,$trial_lines,report: D"
    [ "$events" = "$expected" ] || fail "history events: $events"
    # The stimulus line of each trial describes the trial its record holds.
    stimuli=$(grep -P '^[0-9]+\t[0-9]+\t[0-9]+\t' "$history" | cut -f2-5)
    records=$( (tail -n +2 "$practice"; tail -n +2 "$data") | cut -f1-4)
    [ "$stimuli" = "$records" ] || fail "stimulus descriptions differ from the records"
    (tail -n +2 "$practice"; tail -n +2 "$data") | cut -f2 | grep -qvxE "$exposures" && fail "exposure not one of $exposures ms"

    # Timing: a header, then one line per finished trial in trial order, for
    # the conditions the records hold.
    head -n 1 "$timing" | grep -qP '^block\ttrial\t' || fail "timing header"
    [ "$(tail -n +2 "$timing" | cut -f1,2 | paste -sd,)" = "$(printf -- '-1\t0,-1\t1,0\t0,0\t1')" ] ||
        fail "timing lines: $(tail -n +2 "$timing" | cut -f1,2 | paste -sd,)"
    [ "$(tail -n +2 "$timing" | cut -f3,4)" = "$( (tail -n +2 "$practice"; tail -n +2 "$data") | cut -f1,2)" ] ||
        fail "timing conditions differ from the records"
    return 0
}
