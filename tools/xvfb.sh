# Sourced: start_xvfb GEOMETRY starts an X server on a free display and sets
# QM_XVFB_DISPLAY to it; stop_xvfb ends every server started so. Used where the
# machine has no display of its own, and by the tests.
QM_XVFB_PIDS=()
start_xvfb() {
    local fd n
    # The server picks the display itself, so runs started at once never share one,
    # and names it only once it accepts clients.
    exec {fd}< <(exec Xvfb -displayfd 1 -screen 0 "$1" -nolisten tcp 2>/dev/null)
    QM_XVFB_PIDS+=($!)
    read -r n <&"$fd" || true
    exec {fd}<&-
    if [ -z "$n" ]; then
        echo "Xvfb did not start." >&2
        return 1
    fi
    QM_XVFB_DISPLAY=":$n"
}
stop_xvfb() {
    local pid
    for pid in "${QM_XVFB_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    QM_XVFB_PIDS=()
}
