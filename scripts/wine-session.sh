#!/usr/bin/env bash
# Keeps the test prefix's Wine session up for a whole test run (`make test-windows`):
#
#   scripts/wine-session.sh BUILD start|stop
#
# Debian's wineserver ends the moment its last program does (-p0), so consecutive tests each
# start a new session: a test may then fail to connect to a server that is going away, and the
# services a session starts (rpcss, which COM needs, among them) inherit the output pipes of the
# test that started them, which ctest then waits on. `start` makes the prefix if need be, starts
# a server that stays, and boots its services with no output to inherit; `stop` ends the session
# of every prefix of the build.
set -euo pipefail

build=$(realpath "$1")
case $2 in
    start)
        export WINEPREFIX=$build/wine
        wineserver -k 2>/dev/null || true # a session left from before
        "$build/wine-run" cmd /c exit </dev/null >/dev/null 2>&1
        wineserver -w
        wineserver -p </dev/null >/dev/null 2>&1
        "$build/wine-run" cmd /c exit </dev/null >/dev/null 2>&1
        ;;
    stop)
        for prefix in "$build"/wine*/; do
            WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
        done
        ;;
    *)
        echo "usage: $0 BUILD start|stop" >&2
        exit 2
        ;;
esac
