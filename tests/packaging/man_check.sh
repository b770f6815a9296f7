#!/usr/bin/env bash
# Renders each manual page given with `man --warnings` and fails on any warning, on an
# empty rendering or on a page without its NOM section. Exit 77 (skipped) without man.
set -u
command -v man > /dev/null || { echo "man absent : vérification sautée"; exit 77; }
status=0
for page in "$@"; do
    out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 > /dev/null)
    rc=$?
    if [ $rc -ne 0 ] || [ -n "$out" ]; then
        echo "$page : man a signalé (statut $rc) :"
        echo "$out"
        status=1
        continue
    fi
    if ! LC_ALL=C.UTF-8 MANWIDTH=80 man -E UTF-8 -l "$page" 2> /dev/null | grep -q '^NOM$'; then
        echo "$page : pas de section NOM dans le rendu"
        status=1
    fi
done
exit $status
