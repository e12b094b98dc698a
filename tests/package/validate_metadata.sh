#!/usr/bin/env bash
# The menu entry and the AppStream metadata pass their validators.
set -euo pipefail
SOURCE="$1"
BUILT="$2"
for tool in desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (Debian packages desktop-file-utils, appstream)"
    exit 77
  fi
done
desktop-file-validate "$SOURCE/org.tagwright.Tagwright.desktop"
appstreamcli validate --no-net "$BUILT/org.tagwright.Tagwright.metainfo.xml"
grep -qx 'Categories=Office;Printing;' "$SOURCE/org.tagwright.Tagwright.desktop"
grep -q '<svg' "$SOURCE/org.tagwright.Tagwright.svg"
echo "metadata valid"
