#!/usr/bin/env bash
# The options that `vokc-run --help` and `vokc-run --grade --help` list must be the
# options that the manual page describes (sections OPTIONS and OPTIONS DE NOTATION) and
# the options that the bash completion offers.
# Usage: options_check.sh VOKC_RUN MANPAGE COMPLETION
set -u
runner=$1 page=$2 completion=$3
status=0

help_options() { "$runner" "$@" | grep -oE '^  --[a-z-]+' | tr -d ' ' | sort; }

# The first word after each .TP of a section, without roff escapes.
page_options() {
    awk -v want="$1" '
        /^\.SH/ { sub(/^\.SH +/, ""); gsub(/"/, ""); section = $0; next }
        section == want && prev == ".TP" { print $2 }
        { prev = $1 }' "$page" | tr -d '\\' | sort
}

# The words of the completion list that follows `if ((grading))` (first) or `else`.
completion_options() {
    tr '\n' ' ' < "$completion" | grep -oE "options='[^']*'" | sed -n "${1}p" |
        sed -e "s/^options='//" -e "s/'$//" | tr -s ' ' '\n' | grep -v '^$' | sort
}

compare() {
    if ! diff <(echo "$2") <(echo "$4") > /dev/null; then
        echo "$1 et $3 diffèrent :"
        diff <(echo "$2") <(echo "$4") | sed 's/^/  /'
        status=1
    fi
}

run_help=$(help_options --help)
grade_help=$(help_options --grade --help)
[ -n "$run_help" ] && [ -n "$grade_help" ] || { echo "aide de vokc-run illisible"; exit 1; }

compare "vokc-run --help" "$run_help" "la section OPTIONS" "$(page_options OPTIONS)"
compare "vokc-run --grade --help" "$grade_help" "la section OPTIONS DE NOTATION" \
    "$(page_options 'OPTIONS DE NOTATION')"
compare "vokc-run --help" "$run_help" "la complétion" "$(completion_options 2)"
# The grading help names --help in its usage line, not in its list.
compare "vokc-run --grade --help" "$(printf '%s\n' $grade_help --help | sort)" \
    "la complétion de --grade" "$(completion_options 1)"
exit $status
