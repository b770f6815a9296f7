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

rm -rf "$work"
mkdir -p "$work/tmp" "$work/programs"
cp -r "$here/exercise" "$work/teacher"
cp "$here"/programs/*.c "$work/programs/"
sed "s#@TEACHER@#$work/teacher#" "$here/programs/absolu.c.in" > "$work/programs/absolu.c"
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
[ "$(ls -A programs | wc -l)" -eq 14 ] || fail "un programme a écrit près des programmes : $(ls programs)"

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

# The time limit ends a loop and does not hold the other runs back.
start=$(date +%s%N)
"$runner" --grade teacher --format csv --jobs 2 --timeout 0.5 --max-steps 1000000000000 \
    programs/boucle.c programs/bon.c > time.csv
elapsed=$((($(date +%s%N) - start) / 1000000))
printf 'programme,cas,résultat,ligne,détail\r\nprograms/boucle.c,1,limite,,temps\r\nprograms/boucle.c,2,limite,,temps\r\nprograms/boucle.c,3,limite,,temps\r\nprograms/bon.c,1,réussi,,\r\nprograms/bon.c,2,réussi,,\r\nprograms/bon.c,3,réussi,,\r\n' \
    | cmp -s - time.csv || fail "limite de temps : $(cat time.csv)"
[ "$elapsed" -lt 10000 ] || fail "limite de temps : $elapsed ms"

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

# An interrupted grading kills its runs and removes their folders.
"$runner" --grade teacher --jobs 2 --timeout 60 --max-steps 1000000000000 programs/boucle.c \
    > /dev/null 2>&1 &
pid=$!
sleep 0.5
kill -TERM "$pid"
wait "$pid"
status=$?
[ "$status" -eq 143 ] || fail "interruption : statut $status"
sleep 0.2
[ -z "$(ls -A tmp)" ] || fail "interruption : dossiers restés : $(ls -A tmp)"
left=$(ps -eo pid=,args= | grep -F -- "--grade teacher --jobs 2 --timeout 60" | grep -v grep)
[ -z "$left" ] || fail "interruption : exécutions restées : $left"

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
