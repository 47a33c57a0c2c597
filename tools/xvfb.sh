# Sourced: start_xvfb GEOMETRY starts an X server on a free display and sets
# QM_XVFB_DISPLAY to it; stop_xvfb ends every server started so. Used where the
# machine has no display of its own, and by the tests.
QM_XVFB_PIDS=()
start_xvfb() {
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "$1" -nolisten tcp >/dev/null 2>&1 &
    QM_XVFB_PIDS+=($!)
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    QM_XVFB_DISPLAY=":$n"
}
stop_xvfb() {
    local pid
    for pid in "${QM_XVFB_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    QM_XVFB_PIDS=()
}
