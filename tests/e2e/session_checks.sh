# Checks of the result files that the scripted session of the end-to-end runs
# leaves behind (subject S01, session 1; practice: "A" and nothing typed; one
# block: "XYZ" and "D"), made the way analysis scripts read the files.
# Sourced by the session scripts, which define fail().
#
#   check_session_files <logs folder> <allowed exposures in ms, as an ERE: '11|22'>
check_session_files() {
    local logs=$1 exposures=$2
    local history="$logs/ZOT_vive_S01_1_history.dat"
    local data="$logs/ZOT_vive_S01_1.dat"
    local practice="$logs/ZOT_vive_S01_1_practice.dat"
    local f record expected_header events trial_lines expected stimuli records
    for f in "$data" "$practice" "$history"; do [ -f "$f" ] || fail "missing $f"; done

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
    stimuli=$(grep -P '^[0-9]+\t[0-9]+\t[0-9]+\t' "$history" | cut -f2-5)
    records=$( (tail -n +2 "$practice"; tail -n +2 "$data") | cut -f1-4)
    [ "$stimuli" = "$records" ] || fail "stimulus descriptions differ from the records"
    (tail -n +2 "$practice"; tail -n +2 "$data") | cut -f2 | grep -qvxE "$exposures" && fail "exposure not one of $exposures ms"
    return 0
}
