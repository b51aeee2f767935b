#!/bin/sh
# Runs the Windows suite of a build tree under Wine in two shards at once:
#   tools/test-windows.sh BUILD_TREE
# Each shard has a Wine prefix, a wineserver and an Xvfb display of its own,
# so the tests of one never take the focus or the clipboard from the other.
# QUILLORY_TEST_SHARDS sets how many shards run (1 runs the suite in one).
# The tests that time the window from another thread or process run after
# the shards, alone: under Wine the server opens, renames and flushes files
# itself, so a busy neighbour stretches every such call of the program's.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
TREE=$1
SHARDS=${QUILLORY_TEST_SHARDS:-2}
ALONE='^(ShareEndToEnd|BackgroundWriteEndToEnd|ProgramEnd)\.'
if [ "$("$ROOT/tools/wine-arch.sh")" = win32 ]; then base="$ROOT/build/wineprefix"; else base="$ROOT/build/wineprefix64"; fi

# The test lists are made once, before the shards would both write them.
"$ROOT/tools/with-wine.sh" ctest --test-dir "$TREE" -N >/dev/null

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
shard=1
while [ "$shard" -le "$SHARDS" ]; do
    prefix=$base
    [ "$shard" -eq 1 ] || prefix="$base-$shard"
    QUILLORY_WINEPREFIX=$prefix "$ROOT/tools/with-wine.sh" \
        ctest --test-dir "$TREE" --output-on-failure -I "$shard,,$SHARDS" -E "$ALONE" >"$logs/$shard" 2>&1 &
    echo $! >"$logs/$shard.pid"
    shard=$((shard + 1))
done

status=0
shard=1
while [ "$shard" -le "$SHARDS" ]; do
    wait "$(cat "$logs/$shard.pid")" || status=1
    echo "== Windows tests, shard $shard of $SHARDS"
    cat "$logs/$shard"
    shard=$((shard + 1))
done
echo "== Windows tests that time the window, alone"
QUILLORY_WINEPREFIX=$base "$ROOT/tools/with-wine.sh" ctest --test-dir "$TREE" --output-on-failure -R "$ALONE" || status=1
exit $status
