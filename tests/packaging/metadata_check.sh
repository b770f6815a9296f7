#!/usr/bin/env bash
# Validates the desktop entry and the AppStream description. The entry must offer to
# open C sources. Exit 77 (skipped) without the validators.
# Usage: metadata_check.sh DESKTOP_ENTRY METAINFO
set -u
desktop=$1 metainfo=$2
for tool in desktop-file-validate appstreamcli; do
    command -v $tool > /dev/null || { echo "$tool absent : vérification sautée"; exit 77; }
done
status=0
out=$(desktop-file-validate "$desktop" 2>&1)
if [ $? -ne 0 ] || [ -n "$out" ]; then
    echo "desktop-file-validate $desktop :"
    echo "$out"
    status=1
fi
grep -qx 'MimeType=text/x-csrc;' "$desktop" || { echo "$desktop n'offre pas text/x-csrc"; status=1; }
if ! appstreamcli validate --no-net --no-color "$metainfo"; then
    echo "appstreamcli refuse $metainfo"
    status=1
fi
grep -q '<image[^>]*>https://' "$metainfo" || { echo "$metainfo sans capture d'écran"; status=1; }
exit $status
