#!/usr/bin/env bash
# Builds the Debian package from the build folder, installs it with apt-get, starts both
# installed programs from /usr/bin (the window creates its databases in the per-user data
# folder, tagwright-cli then prints a PDF from them), and removes the package again whatever
# happens.
set -euo pipefail
BUILD="$1"
VERSION="$2"

if [ "$(id -u)" -ne 0 ]; then
  echo "SKIPPED: installing the package needs root"
  exit 77
fi
for tool in dpkg-deb apt-get cpack pdftotext; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed"
    exit 77
  fi
done
if dpkg-query -W -f='${Status}' tagwright 2>/dev/null | grep -q "install ok installed"; then
  echo "SKIPPED: a tagwright package is already installed on this machine; the test leaves it alone"
  exit 77
fi

WORK="$(mktemp -d)"
cleanup() {
  if dpkg-query -W -f='${Status}' tagwright 2>/dev/null | grep -q "install ok installed"; then
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq -o DPkg::Lock::Timeout=300 tagwright >/dev/null
  fi
  rm -rf "$WORK"
}
trap cleanup EXIT

cpack --config "$BUILD/CPackConfig.cmake" -B "$WORK/package" >/dev/null
DEB=("$WORK"/package/tagwright_*.deb)
# Qt's PostgreSQL driver and PostgreSQL's client library are loaded at run time, so no
# library dependency brings them in.
for needed in libqt6sql6-psql libpq5; do
  dpkg-deb -f "${DEB[0]}" Depends | grep -qw "$needed" \
    || { echo "the package does not depend on $needed"; dpkg-deb -f "${DEB[0]}" Depends; exit 1; }
done
dpkg-deb -f "${DEB[0]}" Recommends | grep -q 'fonts-wqy-microhei' \
  || { echo "the package does not recommend a CJK font"; exit 1; }
cd "$WORK/package"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=300 \
  "./$(basename "${DEB[0]}")" >/dev/null

for file in /usr/bin/tagwright /usr/bin/tagwright-cli \
            /usr/share/applications/org.tagwright.Tagwright.desktop \
            /usr/share/icons/hicolor/scalable/apps/org.tagwright.Tagwright.svg \
            /usr/share/metainfo/org.tagwright.Tagwright.metainfo.xml \
            /usr/share/man/man1/tagwright-cli.1.gz \
            /usr/share/doc/tagwright/copyright /usr/share/doc/tagwright/changelog.gz; do
  [ -e "$file" ] || { echo "not installed: $file"; exit 1; }
done
[ "$(/usr/bin/tagwright-cli --version)" = "tagwright-cli $VERSION" ]
[ "$(/usr/bin/tagwright --version)" = "tagwright $VERSION" ]

# A user with a fresh home, starting the window from the menu (working folder: home).
export HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime"
unset XDG_DATA_HOME
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
DATA="$HOME/.local/share/Tagwright/Tagwright"
cd "$HOME"
# With no setup database anywhere the installed window asks where the shop is; Return takes
# the default answer, a new shop with the example templates.
if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
  echo "SKIPPED: xvfb-run and xdotool are needed to answer the first-start question"
  exit 77
fi
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  /usr/bin/tagwright & pid=$!
  # On a loaded machine the question may take a while to show: keep answering it until the
  # shop exists, for a minute at the most.
  for _ in $(seq 1 60); do
    sleep 1
    [ -f "$0/QUILLON.MDB" ] && break
    xdotool key Return
  done
  sleep 1
  kill $pid' "$DATA"
[ -f "$DATA/SetupTGW.MDB" ] || { echo "the window made no setup database in $DATA"; exit 1; }
[ ! -e "$HOME/SetupTGW.MDB" ] || { echo "the window put SetupTGW.MDB into the home folder"; exit 1; }

# On request, what the user sees: the installed window, and its information panel naming
# the per-user folder (TAGWRIGHT_PACKAGE_SCREENSHOTS=FOLDER).
if [ -n "${TAGWRIGHT_PACKAGE_SCREENSHOTS:-}" ] && command -v xvfb-run >/dev/null; then
  mkdir -p "$TAGWRIGHT_PACKAGE_SCREENSHOTS"
  xvfb-run -a -s "-screen 0 800x600x24" bash -c '
    /usr/bin/tagwright & pid=$!
    sleep 4
    import -window root "$0/installed-window.png"
    xdotool mousemove 584 300 click 1; sleep 1   # Setup
    xdotool mousemove 63 396 click 1; sleep 1    # the information button
    import -window root "$0/installed-information.png"
    kill $pid' "$TAGWRIGHT_PACKAGE_SCREENSHOTS"
fi

# tagwright-cli from another folder finds the same databases.
mkdir -p "$WORK/elsewhere"
cd "$WORK/elsewhere"
/usr/bin/tagwright-cli print --date 01-02-2026 --value LeftTop=N12345 --pdf labels.pdf
TEXT="$(pdftotext labels.pdf -)"
grep -q "Reg #: N12345" <<<"$TEXT" || { echo "the PDF lacks the registration"; echo "$TEXT"; exit 1; }
grep -q "01-02-2026" <<<"$TEXT" || { echo "the PDF lacks the date"; exit 1; }

DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq -o DPkg::Lock::Timeout=300 tagwright >/dev/null
[ ! -e /usr/bin/tagwright ] && [ ! -e /usr/bin/tagwright-cli ] || { echo "the programs stayed after removal"; exit 1; }
echo "installed, printed from the installed programs, removed"
