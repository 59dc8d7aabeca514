# bash completion for corvane                              -*- shell-script -*-
# Its one argument is a machine name, so that word completes host names: with
# bash-completion's known hosts (ssh's known_hosts and config, and the hosts
# file) where that is loaded, else with bash's own list from the hosts file
# (HOSTFILE, or /etc/hosts). Later words are ignored by corvane and complete
# to nothing.

_corvane()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    COMPREPLY=()
    [[ $COMP_CWORD -eq 1 ]] || return 0
    if declare -F _known_hosts_real >/dev/null; then
        _known_hosts_real -- "$cur"
    else
        local IFS=$'\n'
        COMPREPLY=($(compgen -A hostname -- "$cur"))
    fi
} &&
    complete -F _corvane corvane

# ex: filetype=sh
