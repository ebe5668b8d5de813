#!/usr/bin/env bash
# Asks the bash completion for skinmaker-cli what it offers on a few command lines and checks the
# answers: commands, one command's options, corner names and the values of --color.
# Usage: check_completion.sh COMPLETION_SCRIPT
set -uo pipefail
# shellcheck source=/dev/null
source "$1"
status=0

# complete LINE EXPECTED: the words offered for the last word of LINE, sorted, against EXPECTED.
complete_line() {
  local -a COMPREPLY
  COMP_LINE=$1
  COMP_POINT=${#1}
  _skinmaker_cli
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | xargs)
  if [ "$got" != "$2" ]; then
    echo "'$1': expected '$2', got '$got'"
    status=1
  fi
}

complete_line "skinmaker-cli b" "build"
complete_line "skinmaker-cli " "--help --lang --version build edit extract info render suggest thumbnail"
# --lang and its value, before or after the command, do not hide the command.
complete_line "skinmaker-cli --lang " "en zh"
complete_line "skinmaker-cli --lang en b" "build"
complete_line "skinmaker-cli --lang=en render x.vsf --" "--height --help --width"
complete_line "skinmaker-cli build --lang z" "zh"
complete_line "skinmaker-cli build --lang en --w" "--white-tabs"
complete_line "skinmaker-cli render x.vsf --" "--height --help --width"
complete_line "skinmaker-cli edit x.vsf --remove-" "--remove-control --remove-decoration"
complete_line "skinmaker-cli build --w" "--white-tabs"
complete_line "skinmaker-cli edit x.vsf --p" ""
complete_line "skinmaker-cli build --decoration left" "leftbottom= lefttop="
complete_line "skinmaker-cli edit x.vsf --remove-decoration r" "rightbottom righttop"
complete_line "skinmaker-cli build --color a" "auto"
# The file after CORNER=, alone where "=" breaks words (bash keeps the corner), whole otherwise.
dir=$(dirname "$1")
name=$(basename "$1")
complete_line "skinmaker-cli build --decoration lefttop=$dir/${name:0:4}" "$1"
COMP_WORDBREAKS=${COMP_WORDBREAKS//=/}
complete_line "skinmaker-cli build --decoration lefttop=$dir/${name:0:4}" "lefttop=$1"
[ $status -eq 0 ] && echo "completion check passed"
exit $status
