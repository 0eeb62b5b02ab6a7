#!/usr/bin/env bash
# Runs the end-to-end cases without any Flash Player in a Wine prefix of their own, in
# which the test player is never registered. Arguments: the build folder and the test
# executable; the working folder is the staging folder.
set -euo pipefail
build=$1
test=$2
prefix=$build/wineprefix-noplayer
"$(dirname "$0")/../../scripts/wine-prefix" "$prefix" null
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" E2E_WITHOUT_PLAYER=1
"$(dirname "$0")/../../scripts/wine-services"
status=0
wine "$test" --gtest_filter='WithoutPlayer.*' || status=$?
wineserver -k 2>/dev/null || true
exit $status
