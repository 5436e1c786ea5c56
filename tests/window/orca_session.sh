# Sourced by the tests that listen to the game through Orca: a speech server that speaks to no device, and Orca with
# fresh settings, its debug log at $orca_log. Run inside a session bus and after start_x_session. Skips (77) where
# Orca or the speech server is missing, or where another Orca of this user already runs (Orca will not start then).
# shellcheck shell=sh
# shellcheck disable=SC2154 # session_dir comes from start_x_session, which runs first
need orca speech-dispatcher
[ -x /usr/lib/speech-dispatcher-modules/sd_dummy ] || skip "speech-dispatcher's dummy module is missing"
orca_here=$(dirname "$0")
speech_dir=$session_dir/speech
mkdir -p "$speech_dir"
# The dummy voice plays a sound through ALSA; the null device takes it and plays nothing.
cat >"$speech_dir/asound.conf" <<'ALSA'
pcm.!default { type null }
ctl.!default { type hw card 0 }
ALSA
cat >"$speech_dir/speechd.conf" <<'SPEECHD'
LogLevel 3
AddModule "dummy" "sd_dummy" ""
DefaultModule dummy
AudioOutputMethod "alsa"
SPEECHD
export ALSA_CONFIG_PATH="$speech_dir/asound.conf"
export SPEECHD_ADDRESS="unix_socket:$speech_dir/speechd.sock"
speech-dispatcher -s -t 0 -C "$speech_dir" -L "$speech_dir" -c unix_socket -S "$speech_dir/speechd.sock" \
    -P "$speech_dir/speechd.pid" >"$speech_dir/speechd.out" 2>&1 &
speechd_pid=$!
orca_log=$session_dir/orca.log
orca_pid=
start_orca() {
    pgrep -u "$(id -u)" -x orca >/dev/null && skip "another Orca of this user is running"
    /usr/bin/python3 "$orca_here/orca_logged.py" -u "$session_dir/orca-settings" --debug-file "$orca_log" \
        >"$session_dir/orca.out" 2>&1 &
    orca_pid=$!
    for _ in $(seq 200); do
        grep -q "SPEECH OUTPUT: 'Screen reader on.'" "$orca_log" 2>/dev/null && return 0
        sleep 0.1
    done
    echo "--- Orca's output ---"; cat "$session_dir/orca.out"
    fail "Orca did not say it was on within 20 s"
}
end_orca() {
    [ -n "${ORCA_KEEP_LOG:-}" ] && cp "$orca_log" "$ORCA_KEEP_LOG"
    [ -n "$orca_pid" ] && kill "$orca_pid" 2>/dev/null
    kill "$speechd_pid" 2>/dev/null
}
# What Orca said, one utterance a line ("/" where it broke a line), with its clock time and without the voice it used.
spoken() {
    awk '/^[0-9:.]+ - SPEECH OUTPUT: / { if (u != "") print u; u = $0; sub(/ - SPEECH OUTPUT: /, " ", u); next }
         /^                  / && u != "" { sub(/^ +/, ""); u = u " / " $0; next }
         { if (u != "") print u; u = "" }
         END { if (u != "") print u }' "$orca_log" | sed "s/\(.*'\) *{.*}\$/\1/"
}
# Waits up to 30 s for Orca to have said what matches the grep PATTERN: it speaks behind the game, on a busy machine
# by seconds.
await_said() {
    for _ in $(seq 300); do
        spoken | grep -q "$1" && return 0
        sleep 0.1
    done
    return 1
}
