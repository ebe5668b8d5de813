#!/usr/bin/env bash
# Fails when a catalogue is not up to date with the sources it translates: lupdate over them, with
# the options the build uses, must leave the .ts file unchanged and every entry translated.
# Usage: translations_complete.sh LUPDATE TS_FILE OPTIONS... -- SOURCES...
set -euo pipefail
lupdate=$1 ts=$2
shift 2
options=()
while [[ $1 != -- ]]; do options+=("$1"); shift; done
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$ts" "$work/check.ts"
"$lupdate" "${options[@]}" "$@" -ts "$work/check.ts" >"$work/lupdate.log" 2>&1 || { cat "$work/lupdate.log"; exit 1; }
status=0
if ! diff -u "$ts" "$work/check.ts"; then
  echo "$(basename "$ts") is not up to date with the sources: run the lupdate target and translate" >&2
  status=1
fi
if grep -n 'type="unfinished"' "$work/check.ts" >&2; then
  echo "$(basename "$ts"): the entries above have no translation yet" >&2
  status=1
fi
exit $status
