#!/usr/bin/env bash
# Checks that the manual page and the bash completion know every command and option that
# `skinmaker-cli --help` lists, so that neither falls behind the program.
# Usage: check_cli_docs.sh SKINMAKER_CLI MANUAL_PAGE COMPLETION_SCRIPT
set -uo pipefail
help=$("$1" --help) || { echo "skinmaker-cli --help failed"; exit 1; }
manual=$(sed 's/\\-/-/g' "$2")
completion=$(cat "$3")
commands=$(sed -n 's/^  skinmaker-cli \([a-z][a-z]*\).*/\1/p' <<<"$help")
options=$(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u)
if [ -z "$commands" ] || [ -z "$options" ]; then
  echo "no commands or options in --help"
  exit 1
fi
status=0
for word in $commands $options; do
  grep -qw -- "$word" <<<"$manual" || { echo "the manual page lacks $word"; status=1; }
  grep -qw -- "$word" <<<"$completion" || { echo "the completion lacks $word"; status=1; }
done
[ $status -eq 0 ] && echo "$(wc -w <<<"$commands $options") commands and options documented and completed"
exit $status
