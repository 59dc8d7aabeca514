#!/usr/bin/env bash
# Checks the installed bash completion under DATADIR (a prefix's share/):
# that bash-completion's own loader finds it where it looks for a command's
# completion, and that the first argument completes host names from a hosts
# file of this test's own (and, with bash-completion, from ssh's known
# hosts), while plain bash without bash-completion completes from the hosts
# file alone. Nothing is looked up on the network.
# Usage: completion_check.sh DATADIR
# Prints "N passed, N failed, N skipped"; exits 1 when a check failed, 77
# when none failed but some were skipped.
set -euo pipefail
datadir=$(cd "$1" && pwd)
file="$datadir/bash-completion/completions/corvane"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/check.sh"
skipped=0

mkdir -p "$work/home/.ssh"
printf '127.0.0.1 localhost\n127.0.2.1 corvane-alpha.test corvane-alpha\n127.0.2.2 corvane-beta.test\n' >"$work/hosts"
echo 'corvane-known.test ssh-ed25519 AAAAC3NzaC1lZDI1NTE5AAAAIOMqqnkVzrm0SdG6UOoqKLsabgH5C9okWi0dh2l9GKJl' \
  >"$work/home/.ssh/known_hosts"
# A file that a file-name completion would offer.
touch "$work/corvane-file"

# shell SCRIPT: a clean non-interactive bash in $work with this test's hosts.
shell() {
  (cd "$work" && env -i HOME="$work/home" PATH=/usr/bin:/bin HOSTFILE="$work/hosts" \
    XDG_DATA_DIRS="$datadir" BASH_COMPLETION_USER_DIR="$work/none" bash --norc --noprofile -c "$1")
}
# The words of a command line, the index of the word completed, then the replies sorted.
complete_words='complete_line() { COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE};
  COMPREPLY=(); "$handler" corvane "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"; printf "%s\n" "${COMPREPLY[@]}" | sort; }'

[ -f "$file" ] || { echo "FAIL: $file not installed"; echo "0 passed, 1 failed"; exit 1; }

if [ -f /usr/share/bash-completion/bash_completion ]; then
  loaded=$(shell 'source /usr/share/bash-completion/bash_completion
    __load_completion corvane || echo "not found"
    complete -p corvane
    shopt -s extdebug; declare -F _corvane | cut -d" " -f3-')
  check "bash-completion loads it from where it looks" "complete -F _corvane corvane
$file" "$loaded"
  replies=$(shell 'source /usr/share/bash-completion/bash_completion; __load_completion corvane
    handler=_corvane; '"$complete_words"'
    complete_line corvane corvane-; echo --; complete_line corvane corvane-alpha corv')
  check "with bash-completion: hosts file and known hosts" "corvane-alpha
corvane-alpha.test
corvane-beta.test
corvane-known.test
--" "$replies"
else
  echo "SKIP: bash-completion is not installed, so its loader is not checked"
  skipped=$((skipped + 2))
fi

replies=$(shell 'source "'"$file"'"; complete -p corvane
  handler=_corvane; '"$complete_words"'
  complete_line corvane corvane-a; echo --; complete_line corvane loc; echo --; complete_line corvane ""')
check "plain bash: hosts file" "complete -F _corvane corvane
corvane-alpha
corvane-alpha.test
--
localhost
--
corvane-alpha
corvane-alpha.test
corvane-beta.test
localhost" "$replies"

echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ] || exit 1
[ "$skipped" -eq 0 ] || exit 77
