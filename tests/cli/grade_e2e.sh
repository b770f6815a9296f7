#!/usr/bin/env bash
# Whole gradings through vokc-run --grade: a small exercise folder and programs that pass,
# fail, stop on an error, loop, read past their input, print too much, print markup, try
# to leave their folder, and write too much.
# Usage: grade_e2e.sh VOKC_RUN WORK_DIR
set -uo pipefail
runner=$1
work=$2
here=$(cd "$(dirname "$0")" && pwd)
failures=0
fail() { echo "ÉCHEC : $*" >&2; failures=$((failures + 1)); }
# wait_for SECONDS COMMAND...: true once the command succeeds, false after SECONDS.
wait_for() {
    local limit=$(( $(date +%s%N) + $1 * 1000000000 ))
    shift
    until "$@"; do
        [ "$(date +%s%N)" -lt "$limit" ] || return 1
        sleep 0.02
    done
}
csv_header='programme,cas,résultat,ligne,détail'
# The CSV row of a program and a case.
row() { grep -F "$2,$3," "$1" | tr -d '\r'; }

rm -rf "$work"
mkdir -p "$work/tmp" "$work/programs"
cp -r "$here/exercise" "$work/teacher"
cp "$here"/programs/*.c "$work/programs/"
sed "s#@TEACHER@#$work/teacher#" "$here/programs/absolu.c.in" > "$work/programs/absolu.c"
# A program that creates more folders than a run may.
{
    printf '/* Crée 1100 dossiers */\nmain()\n{\n'
    for i in $(seq 1100); do printf '  mkdir "d%d";\n' "$i"; done
    printf '}\n'
} > "$work/programs/arbre.c"
cd "$work" || exit 1
# Runs and their working folders go in a folder of the test's own.
export TMPDIR=$work/tmp
export LC_ALL=C

# A listing of the teacher's folder with sizes and contents.
listing() { (cd "$1" && find . -printf '%y %p %s\n' | sort && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
listing teacher > before.txt

programs=(bon faux erreur boucle lecture bavard script evasion absolu remonte sortie dossiers
          triche lourd absent)
files=()
for p in "${programs[@]}"; do files+=("programs/$p.c"); done
common=(--grade teacher --max-steps 100000 --timeout 20)

"$runner" "${common[@]}" --format csv --jobs 1 "${files[@]}" > jobs1.csv 2> jobs1.err
status=$?
[ "$status" -eq 1 ] || fail "statut $status au lieu de 1"
[ -s jobs1.err ] && fail "messages inattendus : $(cat jobs1.err)"
diff "$here/expected.csv" jobs1.csv > /dev/null || fail "CSV différent : $(diff "$here/expected.csv" jobs1.csv)"

"$runner" "${common[@]}" --format csv --jobs 4 "${files[@]}" > jobs4.csv
cmp -s jobs1.csv jobs4.csv || fail "--jobs 1 et --jobs 4 diffèrent : $(diff jobs1.csv jobs4.csv)"

"$runner" "${common[@]}" --jobs 3 --report report.html "${files[@]}" > text.txt
diff "$here/expected.txt" text.txt > /dev/null || fail "texte différent : $(diff "$here/expected.txt" text.txt)"
python3 "$here/check_report.py" report.html "${#programs[@]}" 3 \
    "<script>alert('perdu & gagné')</script>" "sortie trop longue" "Nombre ? 7" \
    || fail "rapport HTML"

"$runner" "${common[@]}" --format json --jobs 2 "${files[@]}" > results.json
python3 - "$here/expected.csv" results.json <<'PY' || fail "JSON différent du CSV"
import csv, json, sys
rows = list(csv.reader(open(sys.argv[1], encoding="utf-8", newline="")))[1:]
data = json.load(open(sys.argv[2], encoding="utf-8"))
flat = [[p["programme"], c["nom"], c["resultat"], "" if c["ligne"] is None else str(c["ligne"]),
         c["detail"]] for p in data["programmes"] for c in p["cas"]]
sys.exit(0 if flat == rows else "%s\n%s" % (flat, rows))
PY

listing teacher > after.txt
cmp -s before.txt after.txt || fail "le dossier du professeur a changé : $(diff before.txt after.txt)"
[ -z "$(ls -A tmp)" ] || fail "dossiers de travail restés : $(ls -A tmp)"
[ "$(ls -A programs | wc -l)" -eq 18 ] || fail "un programme a écrit près des programmes : $(ls programs)"

# Every run passed: status 0.
"$runner" --grade teacher programs/bon.c programs/dossiers.c > passed.txt
status=$?
[ "$status" -eq 0 ] || fail "statut $status au lieu de 0 quand tout réussit"
printf 'programs/bon.c : 3/3 cas réussis\nprograms/dossiers.c : 3/3 cas réussis\n2 programmes, 6 exécutions, 6 réussies\n' \
    | cmp -s - passed.txt || fail "tout réussi : $(cat passed.txt)"

# Reals are written with `.` unless --decimal-separator says otherwise.
mkdir reels
printf '3.25\n' > reels/1.out
printf 'float x, y\nmain()\n{\n  x = 13\n  y = x / 4\n  printf("%%f\\n", y)\n}\n' > reels.c
"$runner" --grade reels --format csv reels.c > reels-point.csv
"$runner" --grade reels --format csv --decimal-separator , reels.c > reels-virgule.csv
printf 'programme,cas,résultat,ligne,détail\r\nreels.c,1,réussi,,\r\n' | cmp -s - reels-point.csv \
    || fail "séparateur . : $(cat reels-point.csv)"
printf 'programme,cas,résultat,ligne,détail\r\nreels.c,1,échoué,1,"sortie, ligne 1 : attendu « 3.25 », obtenu « 3,25 »"\r\n' \
    | cmp -s - reels-virgule.csv || fail "séparateur , : $(cat reels-virgule.csv)"

# The time limit (processor time) ends a loop and does not hold the other runs back:
# the runs together use little more than the three limits.
TIMEFORMAT='%U %S'
cpu=$( { time "$runner" --grade teacher --format csv --jobs 2 --timeout 0.5 \
    --max-steps 1000000000000 programs/boucle.c programs/bon.c > time.csv; } 2>&1 )
elapsed=$(awk -v t="$cpu" 'BEGIN { split(t, a, " "); printf "%d", (a[1] + a[2]) * 1000 }')
printf 'programme,cas,résultat,ligne,détail\r\nprograms/boucle.c,1,limite,,temps\r\nprograms/boucle.c,2,limite,,temps\r\nprograms/boucle.c,3,limite,,temps\r\nprograms/bon.c,1,réussi,,\r\nprograms/bon.c,2,réussi,,\r\nprograms/bon.c,3,réussi,,\r\n' \
    | cmp -s - time.csv || fail "limite de temps : $(cat time.csv)"
[ "$elapsed" -lt 4000 ] || fail "limite de temps : $elapsed ms de processeur"

# Usage errors: status 2 and a French message.
mkdir empty
usage() {
    local expected=$1
    shift
    "$runner" "$@" > /dev/null 2> usage.err
    local s=$?
    [ "$s" -eq 2 ] || fail "$* : statut $s au lieu de 2"
    [ "$(head -n 1 usage.err)" = "vokc-run: $expected" ] || fail "$* : $(cat usage.err)"
}
usage "--grade attend un dossier" --grade
usage "dossier de cas introuvable : absent" --grade absent programs/bon.c
usage "aucun cas (fichier NOM.out) dans empty" --grade empty programs/bon.c
usage "aucun programme à noter" --grade teacher
usage "option inconnue : --trace" --grade teacher --trace programs/bon.c
usage "--format attend text, csv ou json" --grade teacher --format html programs/bon.c

# A folder of one case, for the gradings that follow.
mkdir un
cp teacher/1.in teacher/1.out teacher/consigne.txt un/

# The runs of a grading: the process groups of the grader's children other than its own.
run_groups() { ps -o pgid= --ppid "$1" | tr -d ' ' | grep -vx "$(ps -o pgid= -p "$1" | tr -d ' ')"; }
groups_alive() { [ -n "$1" ] && ps -o pid= -g "$1" > /dev/null; }
tmp_empty() { [ -z "$(ls -A tmp)" ]; }
runs_started() { [ -n "$(run_groups "$1")" ]; }

# An interrupted grading kills its runs, gives the terminal back within a second and
# removes their folders.
"$runner" --grade teacher --jobs 2 --timeout 60 --max-steps 1000000000000 programs/boucle.c \
    programs/arbre.c > /dev/null 2>&1 &
pid=$!
wait_for 10 runs_started "$pid" || fail "interruption : pas d'exécution lancée"
groups=$(run_groups "$pid" | paste -sd,)
start=$(date +%s%N)
kill -TERM "$pid"
wait "$pid"
status=$?
elapsed=$((($(date +%s%N) - start) / 1000000))
[ "$status" -eq 143 ] || fail "interruption : statut $status"
[ "$elapsed" -lt 1000 ] || fail "interruption : $elapsed ms pour rendre la main"
wait_for 10 tmp_empty || fail "interruption : dossiers restés : $(ls -A tmp)"
wait_for 5 eval '! groups_alive "$groups"' || fail "interruption : exécutions restées : $(ps -o pid=,args= -g "$groups")"

# A grader killed outright takes its runs with it (each run has a process group of its
# own), and its working folders still go.
"$runner" --grade teacher --jobs 2 --timeout 60 --max-steps 1000000000000 programs/boucle.c \
    > /dev/null 2>&1 &
pid=$!
wait_for 10 runs_started "$pid" || fail "SIGKILL : pas d'exécution lancée"
groups=$(run_groups "$pid" | paste -sd,)
{ kill -KILL "$pid" && wait "$pid"; } 2> /dev/null
wait_for 5 eval '! groups_alive "$groups"' || fail "SIGKILL : exécutions restées : $(ps -o pid=,args= -g "$groups")"
wait_for 10 tmp_empty || fail "SIGKILL : dossiers restés : $(ls -A tmp)"

# The time limit is processor time: a program near it gets the same verdicts whatever
# the number of jobs, and a grader stopped for longer than the limit changes nothing.
TIMEFORMAT='%U %S'
cpu=$( { time "$runner" programs/calcul.c < teacher/1.in > /dev/null; } 2>&1 )
limit=$(awk -v t="$cpu" 'BEGIN { split(t, a, " "); t = a[1] + a[2]; printf "%.2f", (t < 0.05 ? 0.05 : t) * 3 }')
near=()
for k in 1 2 3 4 5 6; do cp programs/calcul.c "calcul$k.c"; near+=("calcul$k.c"); done
timing=(--grade un --format csv --timeout "$limit" --max-steps 1000000000000)
"$runner" "${timing[@]}" --jobs 1 "${near[@]}" programs/boucle.c > near1.csv
"$runner" "${timing[@]}" --jobs 8 "${near[@]}" programs/boucle.c > near8.csv
[ "$(grep -c ',réussi,' near1.csv)" -eq 6 ] || fail "près de la limite, --jobs 1 : $(cat near1.csv)"
[ "$(grep -c ',limite,,temps' near1.csv)" -eq 1 ] || fail "boucle sans fin : $(cat near1.csv)"
cmp -s near1.csv near8.csv || fail "--jobs 1 et --jobs 8 diffèrent : $(diff near1.csv near8.csv)"
"$runner" "${timing[@]}" --jobs 2 "${near[@]}" > stopped.csv &
pid=$!
wait_for 10 runs_started "$pid" || fail "arrêt : pas d'exécution lancée"
kill -STOP "$pid"
sleep "$(awk -v l="$limit" 'BEGIN { print l * 2 }')" # the grader stopped longer than the limit
kill -CONT "$pid"
wait "$pid"
head -n 7 near1.csv | cmp -s - stopped.csv || fail "grader arrêté puis repris : $(cat stopped.csv)"

# A program that creates all the folders it may does not delay the others; the folder
# beyond the limit fails as mkdir fails.
"$runner" --grade un --format csv --jobs 2 programs/bon.c programs/arbre.c \
    programs/bon.c > arbre.csv
[ "$(row arbre.csv programs/arbre.c 1)" = "programs/arbre.c,1,erreur,1004,Répertoire d1001 n'a pas été créé" ] \
    || fail "dossiers : $(cat arbre.csv)"
[ "$(grep -c '^programs/bon.c,1,réussi,,' arbre.csv)" -eq 2 ] || fail "dossiers : $(cat arbre.csv)"

# Three files opened before writing share the 10 MB: the second fails at the tenth.
"$runner" --grade un --format csv --report trois.html programs/trois.c > trois.csv
[ "$(row trois.csv programs/trois.c 1)" = "programs/trois.c,1,erreur,22,Erreur d'écriture" ] \
    || fail "trois fichiers : $(cat trois.csv)"
grep -q 'second' trois.html && ! grep -q 'troisième' trois.html || fail "trois fichiers : sortie"

# Nothing a program prints reaches the terminal raw.
"$runner" --grade un programs/echap.c > echap.txt
"$runner" --grade un --format csv programs/echap.c > echap.csv
for f in echap.txt echap.csv; do
    if LC_ALL=C grep -q $'\x1b' "$f"; then fail "$f contient ESC : $(od -c "$f" | head)"; fi
done
grep -q '^programs/echap.c : 0/1 cas réussis$' echap.txt || fail "ESC : $(cat echap.txt)"
grep -qF 'obtenu « ␛[2J␛[Hprograms/echap.c : 3/3 cas réussis␛[8m »' echap.txt || fail "ESC : $(cat echap.txt)"

# Results that cannot be written: status 2 and why.
"$runner" --grade teacher programs/bon.c > /dev/full 2> full.err
status=$?
[ "$status" -eq 2 ] || fail "> /dev/full : statut $status"
[ "$(cat full.err)" = "vokc-run: erreur d'écriture sur la sortie standard : disque plein" ] \
    || fail "> /dev/full : $(cat full.err)"
"$runner" --grade --help > /dev/full 2> full.err
status=$?
[ "$status" -eq 2 ] && [ -s full.err ] || fail "--help > /dev/full : statut $status, $(cat full.err)"
"$runner" --grade teacher --report /dev/full programs/bon.c > /dev/null 2> full.err
status=$?
[ "$status" -eq 2 ] || fail "--report /dev/full : statut $status"
[ "$(cat full.err)" = "vokc-run: erreur d'écriture sur /dev/full : disque plein" ] \
    || fail "--report /dev/full : $(cat full.err)"

# The teacher's files: an unreadable input is a usage error, an input without its
# expected output is said.
cp -r teacher prof
printf '5\n' > prof/4.in
"$runner" --grade prof --format csv programs/bon.c > orphan.csv 2> orphan.err
[ "$(cat orphan.err)" = "vokc-run: prof/4.in : pas de fichier .out, ce cas n'est pas noté" ] \
    || fail "NOM.in seul : $(cat orphan.err)"
[ "$(wc -l < orphan.csv)" -eq 4 ] || fail "NOM.in seul : $(cat orphan.csv)"
rm prof/4.in
chmod 000 prof/2.in
as_other=()
if [ "$(id -u)" -eq 0 ]; then
    # Permissions do not hold for root: the grader runs as another user.
    chmod -R a+rwX "$work" && chmod 000 prof/2.in
    as_other=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
if [ "$(id -u)" -ne 0 ] || command -v setpriv > /dev/null; then
    "${as_other[@]}" "$runner" --grade prof programs/bon.c > /dev/null 2> unreadable.err
    status=$?
    [ "$status" -eq 2 ] || fail "NOM.in illisible : statut $status"
    [ "$(head -n 1 unreadable.err)" = "vokc-run: prof/2.in : permission refusée" ] \
        || fail "NOM.in illisible : $(cat unreadable.err)"
fi
chmod 644 prof/2.in

# Cases run in natural order; a program too large is refused as vokc-run refuses it; a
# program saved with breakpoints is graded as it runs in the application.
mkdir naturel
for n in 10 2 1 100; do printf 'Nombre ? %s\nLe double :\n%s\n' "$n" $((n * 2)) > "naturel/$n.out"; echo "$n" > "naturel/$n.in"; done
truncate -s 65M gros.c
sed 's/^  printf("Le double/  \xc2\xbb printf("Le double/; s/^  d = /\xe2\x80\xa2  d = /' programs/bon.c > marques.c
grep -q '»' marques.c || fail "marques : $(cat marques.c)"
"$runner" --grade naturel --format csv marques.c gros.c > naturel.csv
printf '%s\r\n' "$csv_header" marques.c,1,réussi,, marques.c,2,réussi,, marques.c,10,réussi,, \
    marques.c,100,réussi,, "gros.c,1,erreur,,fichier trop volumineux" \
    "gros.c,2,erreur,,fichier trop volumineux" "gros.c,10,erreur,,fichier trop volumineux" \
    "gros.c,100,erreur,,fichier trop volumineux" | cmp -s - naturel.csv \
    || fail "ordre naturel, marques, taille : $(cat naturel.csv)"

# On a terminal the progress goes to standard error, rewritten in place, and is erased;
# the results hold none of it.
if command -v script > /dev/null; then
    script -qec "'$runner' --grade teacher programs/bon.c programs/faux.c > progress.txt" \
        /dev/null > terminal.log < /dev/null
    grep -q $'\r6/6 exécutions' terminal.log || fail "progression : $(od -c terminal.log | head)"
    grep -q 'exécutions$' progress.txt && fail "progression dans les résultats : $(cat progress.txt)"
    head -n 1 progress.txt | grep -qx 'programs/bon.c : 3/3 cas réussis' || fail "progression : $(cat progress.txt)"
fi

# The example exercise of the README gives the results it shows.
(cd "$here/../../examples/grading" && "$runner" --grade cas copies/alice.c copies/bruno.c \
    copies/chloe.c copies/david.c) > example.txt
diff "$here/expected_example.txt" example.txt > /dev/null \
    || fail "exemple : $(diff "$here/expected_example.txt" example.txt)"
[ -z "$(ls -A tmp)" ] || fail "exemple : dossiers de travail restés : $(ls -A tmp)"

if [ "$failures" -gt 0 ]; then
    echo "$failures échec(s)" >&2
    exit 1
fi
echo "notation de bout en bout : tout est conforme"
