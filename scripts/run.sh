#!/usr/bin/env bash
# `make run`: sketchcad with the sample plan beside the assistant, or the offscreen demo.
#
#   scripts/run.sh BUILD              both windows on the desktop, attached; without a display,
#                                     the demo into BUILD/demo
#   scripts/run.sh BUILD --demo DIR   the demo: sketchcad with synthetic picks, the assistant
#                                     running samples/demo.script against it; DIR receives the
#                                     screenshots and plan-changed.dxf. Runs on the platform
#                                     QT_QPA_PLATFORM names (offscreen when unset).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:?usage: run.sh BUILD [--demo DIR]}" && pwd)
sketchcad=$build/apps/sketchcad
elecaide=$build/apps/elecaide
plan=$build/samples/plan.dxf
serve_timeout=20   # seconds for sketchcad to start serving
demo_timeout=180   # seconds for the whole demo script
exit_timeout=15    # seconds for sketchcad to end once quit

sketchcad_pid=
elecaide_pid=
runtime=
cleanup() {
    for pid in "$elecaide_pid" "$sketchcad_pid"; do
        if [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
    if [[ -n $runtime ]]; then
        rm -rf "$runtime"
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [[ ! -x $elecaide ]]; then
    echo "run: $elecaide is not built" >&2
    exit 1
fi

# Starts sketchcad in the background and waits until it serves. Status 3 means another
# sketchcad already serves this user: the caller decides.
start_sketchcad() {
    local log=$1
    shift
    : >"$log"
    "$sketchcad" "$@" >"$log" 2>&1 &
    sketchcad_pid=$!
    local waited=0
    until grep -q '^sketchcad: serving ' "$log"; do
        if ! kill -0 "$sketchcad_pid" 2>/dev/null; then
            local status=0
            wait "$sketchcad_pid" || status=$?
            sketchcad_pid=
            return "$status"
        fi
        if ((waited >= serve_timeout * 10)); then
            echo "run: sketchcad did not start serving within ${serve_timeout} s; see $log" >&2
            exit 1
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
}

# Runs the assistant in the background and waits for it, so that a signal to this script is
# handled at once (bash holds traps while a foreground child runs). Returns its status.
run_elecaide() {
    "$@" &
    elecaide_pid=$!
    local status=0
    wait "$elecaide_pid" || status=$?
    elecaide_pid=
    return "$status"
}

# Waits for sketchcad to end on its own (it quits when the assistant quits it).
wait_sketchcad_exit() {
    local waited=0
    while kill -0 "$sketchcad_pid" 2>/dev/null; do
        if ((waited >= exit_timeout * 10)); then
            echo "run: sketchcad did not end within ${exit_timeout} s of being quit" >&2
            return 1
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    local status=0
    wait "$sketchcad_pid" || status=$?
    sketchcad_pid=
    return "$status"
}

demo() {
    local out
    if [[ ! -x $sketchcad ]]; then
        echo "run: $sketchcad is not built: no demo" >&2
        exit 1
    fi
    mkdir -p "$1"
    out=$(cd "$1" && pwd)
    rm -f "$out"/*.png "$out/plan-changed.dxf"
    # A runtime directory of its own, so the demo never meets a drawing the user serves.
    runtime=$(mktemp -d "${TMPDIR:-/tmp}/elecaide-demo.XXXXXX")
    chmod 700 "$runtime"
    export XDG_RUNTIME_DIR=$runtime
    export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

    if ! start_sketchcad "$out/sketchcad.log" "$plan" --picks "$root/samples/demo.picks" \
        --screenshot-on-exit "$out/sketchcad.png"; then
        echo "run: sketchcad did not start; see $out/sketchcad.log" >&2
        exit 1
    fi
    local status=0
    # The script names its files relative to where it runs.
    cd "$out"
    run_elecaide timeout "$demo_timeout" "$elecaide" --script "$root/samples/demo.script" \
        >"$out/elecaide.log" 2>&1 || status=$?
    # After a failure sketchcad may still wait for a pick: the cleanup ends it.
    if ((status == 0)) && ! wait_sketchcad_exit; then
        status=1
    fi
    if ((status != 0)); then
        echo "run: the demo failed (status $status); see $out/elecaide.log" >&2
        grep -E '^(FAIL|error)' "$out/elecaide.log" >&2 || true
        exit "$status"
    fi
    echo "run: demo done; screenshots and plan-changed.dxf in $out"
}

interactive() {
    if [[ ! -x $sketchcad ]]; then
        echo "run: $sketchcad is not built: the assistant starts alone"
        exec "$elecaide"
    fi
    mkdir -p "$build/run"
    local status=0
    start_sketchcad "$build/run/sketchcad.log" "$plan" || status=$?
    if ((status == 3)); then
        echo "run: $(tail -n 1 "$build/run/sketchcad.log"); the assistant attaches to that one"
    elif ((status != 0)); then
        echo "run: sketchcad did not start (status $status); see $build/run/sketchcad.log" >&2
        exit 1
    fi
    run_elecaide "$elecaide" || true
    if [[ -n $sketchcad_pid ]] && kill -0 "$sketchcad_pid" 2>/dev/null; then
        # Its drawing may hold unsaved changes: the user closes it (Ctrl+C ends it as it is).
        echo "run: the assistant has ended; close sketchcad to finish"
        wait "$sketchcad_pid" || true
        sketchcad_pid=
    fi
}

if [[ ${2:-} == --demo ]]; then
    demo "${3:?usage: run.sh BUILD --demo DIR}"
elif [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    echo "run: no display (\$DISPLAY and \$WAYLAND_DISPLAY are empty): the demo runs offscreen into $build/demo"
    demo "$build/demo"
else
    interactive
fi
