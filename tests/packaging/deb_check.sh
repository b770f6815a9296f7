#!/usr/bin/env bash
# Builds the Debian package from a build folder with CPack, then checks it without
# installing it: the files it holds, its dependencies, lintian, and the vokc-run it
# contains running an example once unpacked. Exit 77 (skipped) without the Debian tools.
# Usage: deb_check.sh BUILD_DIR EXPECTED_OUTPUT_OF_BONJOUR WORK_DIR
set -u
build=$1 expected=$2 work=$3
for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
    command -v $tool > /dev/null || { echo "$tool absent : vérification sautée"; exit 77; }
done
rm -rf "$work"
mkdir -p "$work"
fail() { echo "$*"; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" > "$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack a échoué"; }
debs=("$work"/vokc_*_"$(dpkg --print-architecture)".deb)
[ -f "${debs[0]}" ] || fail "pas de vokc_VERSION_ARCH.deb dans $work"
deb=${debs[0]}
echo "paquet : $(basename "$deb")"

contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
status=0
for f in ./usr/bin/vokc ./usr/bin/vokc-run \
    ./usr/share/man/man1/vokc.1.gz ./usr/share/man/man1/vokc-run.1.gz \
    ./usr/share/bash-completion/completions/vokc-run \
    ./usr/share/applications/vokc.desktop \
    ./usr/share/metainfo/org.example.vokc.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/vokc.svg \
    ./usr/share/doc/vokc/copyright ./usr/share/doc/vokc/changelog.gz \
    ./usr/share/doc/vokc/html/index.html ./usr/share/doc/vokc/examples/bonjour.c \
    ./usr/share/doc/vokc/examples/grading/cas/1.out; do
    grep -qx -- "$f" <<< "$contents" || { echo "absent du paquet : $f"; status=1; }
done
# Offering to open C sources must not make Vok C their default application.
if grep -q 'mimeapps.list' <<< "$contents"; then echo "le paquet fixe une application par défaut"; status=1; fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for d in libqt6widgets6 libqt6printsupport6 libc6 qt6-translations-l10n qt6-qpa-plugins; do
    grep -q "$d" <<< "$depends" || { echo "dépendance absente : $d"; status=1; }
done

lintian --fail-on error,warning --tag-display-limit 0 "$deb" > "$work/lintian.log" 2>&1
rc=$?
cat "$work/lintian.log"
[ $rc -eq 0 ] || { echo "lintian : statut $rc"; status=1; }

dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x a échoué"
out=$(cd "$work" && "$work/root/usr/bin/vokc-run" "$work/root/usr/share/doc/vokc/examples/bonjour.c" < /dev/null)
rc=$?
[ $rc -eq 0 ] || { echo "vokc-run du paquet : statut $rc"; status=1; }
[ "$out" = "$(cat "$expected")" ] || { echo "vokc-run du paquet : sortie inattendue :"; echo "$out"; status=1; }
# The pages as installed: compressed, rendered without warnings.
bash "$(dirname "$0")/man_check.sh" "$work"/root/usr/share/man/man1/*.1.gz || status=1
version=$("$work/root/usr/bin/vokc-run" --version)
grep -q " $(dpkg-deb -f "$deb" Version)\$" <<< "$version" ||
    { echo "« $version » n'a pas la version du paquet"; status=1; }
exit $status
