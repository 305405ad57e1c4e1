#!/usr/bin/env bash
# Builds the Debian package from an already built build folder, checks it with lintian and its
# desktop entry and AppStream metadata with their validators, installs it with dpkg -i, starts
# the installed editor off screen once on a copy of the installed demo data, runs the installed
# checker on that data, and removes the package with dpkg -r.
#   tools/check_package.sh [BUILD_FOLDER]      (default: build; needs root or sudo for dpkg)
# Needs lintian, desktop-file-utils and appstream. A dungeon-editor package installed before is
# removed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
sudo=$([ "$(id -u)" = 0 ] || echo sudo)
id=net.dungeoneditor.DungeonEditor

for tool in lintian desktop-file-validate appstreamcli dpkg-deb; do
  command -v "$tool" >/dev/null || {
    echo "check_package: $tool is missing (apt-get install lintian desktop-file-utils appstream)"
    exit 2
  }
done

cmake --build "$build" --target package
debs=("$build"/package/dungeon-editor_*.deb)
[ "${#debs[@]}" = 1 ] || { echo "check_package: expected one package, found: ${debs[*]}"; exit 1; }
deb=${debs[0]}
echo "== $deb"
dpkg-deb --field "$deb" Package Version Depends

echo "== lintian (errors fail the check; warnings are listed)"
lintian --fail-on error --display-level '>=warning' "$deb"

scratch=$(mktemp -d)
installed=no
cleanup() {
  [ "$installed" = yes ] && $sudo dpkg -r dungeon-editor >/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

echo "== dpkg -i"
$sudo dpkg -i "$deb"
installed=yes

echo "== validators"
desktop-file-validate "/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "/usr/share/metainfo/$id.metainfo.xml"
for size in 16 32 48 256; do
  test -s "/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
done
test -s "/usr/share/icons/hicolor/scalable/apps/$id.svg"
test -s /usr/share/man/man1/dungeon-editor.1.gz
test -s /usr/share/man/man1/editor-check.1.gz

echo "== versions"
version=$(dpkg-query -W -f='${Version}' dungeon-editor)
dungeon-editor --version
editor-check --version
[ "$(dungeon-editor --version)" = "Dungeon Map Editor $version" ]
[ "$(editor-check --version)" = "editor-check (Dungeon Map Editor) $version" ]

echo "== the installed editor, off screen, on a copy of the demo data"
cp -r /usr/share/dungeon-editor/demo "$scratch/Demo Game"
shown=$(QT_QPA_PLATFORM=offscreen timeout 120 dungeon-editor --screenshot "$scratch/main.png" \
  "$scratch/Demo Game")
echo "$shown"
case "$shown" in
  "Map 1 - Demo Game - Map Editor: "*" written to $scratch/main.png") ;;
  *) echo "check_package: the editor did not show map 1 of the demo game"; exit 1 ;;
esac
test -s "$scratch/main.png"

echo "== the installed checker on the installed demo data"
status=0
found=$(editor-check /usr/share/dungeon-editor/demo) || status=$?
[ "$status" = 1 ] || { echo "check_package: editor-check exited with $status, not 1"; exit 1; }
diff <(echo "$found") tests/cli/demo_findings.txt

echo "== dpkg -r"
$sudo dpkg -r dungeon-editor
installed=no
for gone in /usr/bin/dungeon-editor /usr/bin/editor-check /usr/share/dungeon-editor \
  "/usr/share/applications/$id.desktop"; do
  [ ! -e "$gone" ] || { echo "check_package: $gone is left after dpkg -r"; exit 1; }
done
echo "check_package: the package builds, installs, runs and removes cleanly"
