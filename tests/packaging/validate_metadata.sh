#!/usr/bin/env bash
# Validates the freedesktop files of packaging/: the menu entries, the AppStream metadata
# and the project file type.   validate_metadata.sh <packaging folder>
set -euo pipefail
packaging=${1:?usage: validate_metadata.sh <packaging folder>}
for tool in desktop-file-validate appstreamcli xmllint; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/setup.sh installs it)"; exit 77; }
done
failed=0
for entry in "$packaging"/*.desktop; do
  echo "desktop-file-validate $(basename "$entry")"
  # The validator reports problems on its output and still exits 0 for some of them.
  report=$(desktop-file-validate "$entry" 2>&1) || failed=1
  [ -z "$report" ] || { echo "$report"; failed=1; }
done
for metainfo in "$packaging"/*.metainfo.xml; do
  echo "appstreamcli validate $(basename "$metainfo")"
  # The component id follows the program's own address (tarvello.example); appstream
  # reports as information only that it cannot tell such a name is reverse DNS.
  appstreamcli validate --no-net "$metainfo" || failed=1
done
echo "xmllint tarvello-project.xml"
xmllint --noout "$packaging/tarvello-project.xml" || failed=1
grep -q 'type="application/x-tarvello-project"' "$packaging/tarvello-project.xml" || { echo "no project file type"; failed=1; }
# The project file type as a desktop sees it, from a MIME database of its own.
if command -v update-mime-database >/dev/null && command -v gio >/dev/null; then
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  mkdir -p "$scratch/mime/packages"
  cp "$packaging/tarvello-project.xml" "$scratch/mime/packages/"
  update-mime-database "$scratch/mime" 2>/dev/null
  project='{\n  "format": "tarvello-project",\n  "version": 1\n}\n'
  while read -r name expected; do
    printf "$project" >"$scratch/$name"
    type=$(XDG_DATA_DIRS="$scratch:/usr/share" gio info -a standard::content-type "$scratch/$name" | sed -n 's/.*content-type: //p')
    echo "$name: $type"
    [ "$type" = "$expected" ] || { echo "  expected $expected"; failed=1; }
  done <<'CASES'
office.tarvello application/x-tarvello-project
office.tarvello.json application/x-tarvello-project
office application/x-tarvello-project
office.json application/json
CASES
else
  echo "SKIP of the project file type's detection: update-mime-database or gio missing"
fi
for entry in "$packaging"/example.tarvello.Tarvello.desktop; do
  grep -qx 'MimeType=application/x-tarvello-project;' "$entry" || { echo "$entry does not open projects"; failed=1; }
done
exit $failed
