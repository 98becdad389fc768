#!/bin/sh
# Fails unless every solver library given exports exactly the four entry points as functions.
# Usage: check_exports.sh LIBRARY...
expected="calcPre memAlloc memDeAlloc printOneLine"
status=0
for lib in "$@"; do
    if [ ! -f "$lib" ]; then
        echo "missing library: $lib"
        status=1
        continue
    fi
    # Function symbols only: text (T, t), weak functions (W) and indirect functions (i).
    actual=$(nm -D --defined-only "$lib" | awk '$2 ~ /^[TtWi]$/ { sub(/@.*/, "", $3); print $3 }' | sort | tr '\n' ' ' |
        sed 's/ $//')
    if [ "$actual" != "$expected" ]; then
        echo "$lib exports: $actual"
        echo "expected:     $expected"
        status=1
    else
        echo "$lib: ok"
    fi
done
[ $# -gt 0 ] || { echo "no library given"; status=1; }
exit $status
