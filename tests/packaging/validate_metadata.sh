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
for entry in "$packaging"/example.tarvello.Tarvello.desktop; do
  grep -qx 'MimeType=application/x-tarvello-project;' "$entry" || { echo "$entry does not open projects"; failed=1; }
done
exit $failed
