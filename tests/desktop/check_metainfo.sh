#!/usr/bin/env bash
# Validates the AppStream description pedantically; any remark fails, except the one Debian 12's
# AppStream (0.16) makes about the <developer id> element, which it does not know yet.
# Usage: check_metainfo.sh APPSTREAMCLI METAINFO
set -uo pipefail
out=$("$1" validate --pedantic --explain --no-net "$2" 2>&1)
status=$?
echo "$out"
[ $status -eq 0 ] || exit 1
remarks=$(echo "$out" | grep -E '^[EWIP]: ' | grep -v ': unknown-tag developer$')
[ -z "$remarks" ] || { echo "remarks left:"; echo "$remarks"; exit 1; }
