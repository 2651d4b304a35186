#!/usr/bin/env bash
# Black-box tests of the real Vantry.exe: it runs under Wine in a folder of its own, is driven by
# real X mouse and keyboard input (xdotool) and judged by its windows (read through
# vantry_probe.exe) and by the files it leaves.
#
#   run.sh program|proof BUILD_DIR RESULT_XML
#
# Uses DISPLAY and WINEPREFIX from scripts/test; run alone, it starts its own Xvfb and wineserver.
set -u
SUITE=$1
BUILD=$(cd "$2" && pwd)
XML=$3
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../../scripts/env.sh"
source "$HERE/lib.sh"

if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    trap vantry_stop_services EXIT
    vantry_start_display
    vantry_start_wine
fi
mkdir -p "$(dirname "$XML")"

# Ends what an item launch started: the program that shows a window titled after the item.
end_launched() {
    local title=$1 line
    if ! line=$(wait_for 10 launched_window "$title"); then
        fail "no window of the launched item \"$title\" appeared"
        return
    fi
    probe end "$(hwnd_of "$line")" || fail "could not end the launched program"
}
launched_window() {
    probe list | awk -F'\t' -v t="$1" 'index($7, t) && $4 !~ /^Vantry/' | grep .
}

# --- suite "program": the list windows in both styles -------------------------------------

program_suite() {
    new_folder
    local alpha beta gamma delta
    alpha=$(make_item alpha)
    beta=$(make_item beta)
    # A folder: the shell opens it with the file manager, a window the suite can see; this Wine
    # prefix has no program for text files.
    gamma=$(make_folder_item gamma)
    delta=$(make_item delta)
    crlf small >"$DIR/listtype.txt"
    crlf "Main |" "Work, Home |" "" "" "" >"$DIR/VantryTabs.txt"
    crlf "$alpha" "$beta" "$gamma" >"$DIR/VantryList0.txt"
    crlf "$delta" >"$DIR/VantryList1.txt"

    begin_case SmallStyleShowsTabsItemsAndBar
    start_vantry
    expect_eq "list window shown" VantrySmallList "$(visible_list)"
    is_visible VantryLargeList && fail "the large list window is shown too"
    is_visible VantryDropWindow && fail "the drop window is shown at start"
    expect_eq "tabs" "Main | ; Work, Home | ;  ;  ; " "$(tabs_of VantrySmallList)"
    expect_eq "items" "alpha;beta;gamma" "$(items_of VantrySmallList)"
    local strip
    strip=$(probe list VantrySmallList | awk -F'\t' '$1=="top" && $5==1 {w=$2}
        $1=="child" && $3==w && $4=="VantryStrip" {s=$2} $1=="child" && $3==s && s!="" {print $7}' |
        paste -sd';')
    expect_eq "bottom bar" "Drop Target;Config;Close" "$strip"
    shot small
    end_case

    begin_case TabClickSavesTheTabLeftAndShowsTheOther
    age_files VantryList0.txt VantryList1.txt
    click_tab VantrySmallList 1
    wait_for 5 items_is VantrySmallList "delta" >/dev/null
    expect_eq "items of tab 1" "delta" "$(items_of VantrySmallList)"
    expect_written VantryList0.txt
    expect_file VantryList0.txt "$alpha" "$beta" "$gamma"
    expect_not_written VantryList1.txt
    # A tab without a name cannot be chosen.
    click_tab VantrySmallList 3
    expect_eq "items after a click on a nameless tab" "delta" "$(items_of VantrySmallList)"
    expect_not_written VantryList1.txt
    click_tab VantrySmallList 0
    wait_for 5 items_is VantrySmallList "alpha;beta;gamma" >/dev/null
    expect_eq "items of tab 0 again" "alpha;beta;gamma" "$(items_of VantrySmallList)"
    expect_written VantryList1.txt
    expect_file VantryList1.txt "$delta"
    end_case

    begin_case RightPressAndNoChangesNothing
    age_files VantryList0.txt
    click_label VantrySmallList beta 3
    answer_question "Delete the item 'beta'?" "&No"
    sleep 0.3
    expect_eq "items" "alpha;beta;gamma" "$(items_of VantrySmallList)"
    expect_not_written VantryList0.txt
    expect_file VantryList0.txt "$alpha" "$beta" "$gamma"
    end_case

    begin_case RightPressAndYesDeletesTheItem
    click_label VantrySmallList beta 3
    answer_question "Delete the item 'beta'?" "&Yes"
    wait_for 5 items_is VantrySmallList "alpha;gamma" >/dev/null
    expect_eq "items" "alpha;gamma" "$(items_of VantrySmallList)"
    expect_file VantryList0.txt "$alpha" "$gamma"
    end_case

    begin_case ItemClickHandsThePathOverLaunchesItAndEnds
    age_files VantryList0.txt
    click_label VantrySmallList gamma
    wait_exit 10 || fail "the program did not end after the item click"
    expect_file shfile.txt "$gamma"
    # The chosen style is this window's, so the tab is saved on the way out.
    expect_written VantryList0.txt
    expect_file VantryList0.txt "$alpha" "$gamma"
    end_launched gamma
    stop_vantry
    end_case

    # The same folder in the large style: the stored items and tab names come back.
    crlf large >"$DIR/listtype.txt"
    rm -f "$DIR/shfile.txt"

    begin_case LargeStyleShowsTheStoredItems
    start_vantry
    expect_eq "list window shown" VantryLargeList "$(visible_list)"
    is_visible VantrySmallList && fail "the small list window is shown too"
    expect_eq "tabs" "Main | ; Work, Home | ;  ;  ; " "$(tabs_of VantryLargeList)"
    expect_eq "items" "alpha;gamma" "$(items_of VantryLargeList)"
    # Large captions size themselves to their text and stand right of their 33-pixel icons.
    local rect
    rect=$(child_rect VantryLargeList alpha)
    [ -n "$rect" ] && [ "$(echo "$rect" | awk '{print $4 - $2}')" -eq 33 ] ||
        fail "large caption alpha is not one 33-pixel row: [$rect]"
    shot large
    end_case

    begin_case LargeStyleTabSwitchDeleteAndClose
    age_files VantryList0.txt VantryList1.txt
    click_tab VantryLargeList 1
    wait_for 5 items_is VantryLargeList "delta" >/dev/null
    expect_eq "items of tab 1" "delta" "$(items_of VantryLargeList)"
    expect_written VantryList0.txt
    expect_file VantryList0.txt "$alpha" "$gamma"
    # Deleting the only item leaves the default entry, the root of drive C.
    age_files VantryList1.txt
    click_label VantryLargeList delta 3
    answer_question "Delete the item 'delta'?" "&Yes"
    wait_for 5 items_is VantryLargeList "C:\\" >/dev/null
    expect_file VantryList1.txt 'C:\'
    age_files VantryList1.txt VantryList0.txt
    click_label VantryLargeList Close
    wait_exit 10 || fail "the program did not end after Close"
    expect_written VantryList1.txt
    expect_not_written VantryList0.txt
    expect_absent shfile.txt
    stop_vantry
    end_case
}
items_is() { [ "$(items_of "$1")" == "$2" ]; }

# --- suite "proof": a user's day, the files checked after every step --------------------------

proof_suite() {
    :
}

case "$SUITE" in
    program) program_suite ;;
    proof) proof_suite ;;
    *) echo "unknown suite $SUITE" >&2; exit 2 ;;
esac
stop_vantry
[ -n "$DIR" ] && rm -rf "$DIR"
write_xml "$XML"
