#!/bin/bash
# Runs a Win32 test with one folder reached three ways, which Wine 8 cannot make itself (it has
# no junctions, and its CreateSymbolicLinkW makes nothing; a Linux program started from inside a
# Wine process can hang it): C:\vantry-links-*\stick, the same folder as a drive of its own (a
# link in the prefix's dosdevices, as a subst drive or a stick), and through a symbolic link.
# The test finds them in VANTRY_LINKED_FOLDER, VANTRY_LINKED_DRIVE and VANTRY_LINK.
# Usage: folder_links.sh <emulator> <test.exe> [arguments...]
set -eu
prefix=${WINEPREFIX:-$HOME/.wine}
base=$(mktemp -d "$prefix/drive_c/vantry-links-XXXXXX")
letter=""
for candidate in r s t u v w x y; do
    if [ ! -e "$prefix/dosdevices/$candidate:" ] && [ ! -L "$prefix/dosdevices/$candidate:" ]; then
        letter=$candidate
        break
    fi
done
trap '[ -n "$letter" ] && rm -f "$prefix/dosdevices/$letter:"; rm -rf "$base"' EXIT
mkdir -p "$base/stick/docs"
ln -s "$base/stick" "$base/link"
[ -n "$letter" ] && ln -s "$base/stick" "$prefix/dosdevices/$letter:"
name=$(basename "$base")
export VANTRY_LINKED_FOLDER="C:\\$name\\stick"
export VANTRY_LINK="C:\\$name\\link"
export VANTRY_LINKED_DRIVE="${letter^^}:"
emulator=$1
shift
"$emulator" "$@"
