#!/usr/bin/env bash
# Black-box tests of the real Vantry.exe: it runs under Wine in a folder of its own, is driven by
# real X mouse and keyboard input (xdotool) and judged by its windows (read through
# vantry_probe.exe) and by the files it leaves.
#
#   run.sh program|proof|loading|scales|drag|stick|readonly|taskbar BUILD_DIR RESULT_XML
#
# Uses DISPLAY and WINEPREFIX from scripts/test; run alone, it starts its own Xvfb and wineserver.
set -u
SUITE=$1
BUILD=$(cd "$2" && pwd)
XML=$3
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../../scripts/env.sh"
source "$HERE/lib.sh"
source "$HERE/drag_suite.sh"
source "$HERE/taskbar_suite.sh"

if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
    trap vantry_stop_services EXIT
    vantry_start_display
    vantry_start_wine
fi
mkdir -p "$(dirname "$XML")" "$BUILD/blackbox"

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
    # Each with an empty line, which a save drops: the first save of either tab has to write it.
    crlf "$alpha" "" "$beta" "$gamma" >"$DIR/VantryList0.txt"
    crlf "$delta" "" >"$DIR/VantryList1.txt"

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
    # The taskbar and the Alt+Tab list name the window by its title.
    expect_eq "list window title" Vantry "$(visible_top VantrySmallList | head -1 | cut -f7)"
    shot small
    end_case

    begin_case RestingOnAnItemOrAFocusedItemShowsItsFullPath
    rest_on VantrySmallList beta
    wait_for 5 tip_is "$beta" >/dev/null || fail "no tip with the path of beta"
    shot tooltip
    xdotool mousemove 900 700
    # No item has the focus before the first key: Down goes to alpha, the next Down to beta.
    xdotool key Down
    xdotool key Down
    wait_for 5 tip_is "$beta" >/dev/null || fail "no tip with the path of the focused item"
    end_case

    begin_case TabClickSavesTheTabLeftAndShowsTheOther
    age_files VantryList0.txt VantryList1.txt
    show_tab VantrySmallList 1 "delta"
    expect_eq "items of tab 1" "delta" "$(items_of VantrySmallList)"
    expect_written VantryList0.txt
    expect_file VantryList0.txt "$alpha" "$beta" "$gamma"
    expect_not_written VantryList1.txt
    # A tab without a name cannot be chosen.
    click_tab VantrySmallList 3
    expect_eq "items after a click on a nameless tab" "delta" "$(items_of VantrySmallList)"
    expect_not_written VantryList1.txt
    show_tab VantrySmallList 0 "alpha;beta;gamma"
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
    # The chosen style is this window's, so the tab is saved on the way out; the file already
    # holds it (the delete wrote it), so it is left as it is.
    expect_not_written VantryList0.txt
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
    show_tab VantryLargeList 1 "delta"
    expect_eq "items of tab 1" "delta" "$(items_of VantryLargeList)"
    # Saved as it was read: a file already holding what a save would write is left alone.
    expect_not_written VantryList0.txt
    expect_file VantryList0.txt "$alpha" "$gamma"
    # Deleting the only item leaves the default entry, the root of drive C.
    age_files VantryList1.txt
    click_label VantryLargeList delta 3
    answer_question "Delete the item 'delta'?" "&Yes"
    # A drive root's caption is the path without its closing "\".
    wait_for 5 items_is VantryLargeList 'C:' >/dev/null
    expect_eq "items after deleting the only one" 'C:' "$(items_of VantryLargeList)"
    expect_file VantryList1.txt 'C:\'
    age_files VantryList1.txt VantryList0.txt
    click_label VantryLargeList Close
    wait_exit 10 || fail "the program did not end after Close"
    # Close saves the current tab, which its file already holds: neither file is rewritten.
    expect_not_written VantryList1.txt
    expect_file VantryList1.txt 'C:\'
    expect_not_written VantryList0.txt
    expect_absent shfile.txt
    stop_vantry
    end_case

    begin_case TheDropWindowsStyleCaptionsAnswerTabEnterAndSpace
    start_vantry
    click_label VantryLargeList "Drop Target"
    wait_for 5 visible_top VantryDropWindow >/dev/null || fail "no drop window"
    xdotool key Tab Tab Return
    wait_for 5 list_is VantrySmallList >/dev/null || fail "Tab, Tab, Enter did not choose the small list"
    expect_file listtype.txt small
    xdotool key shift+Tab space
    wait_for 5 list_is VantryLargeList >/dev/null || fail "Shift+Tab, Space did not choose the large list"
    expect_file listtype.txt large
    click_label VantryLargeList Close
    wait_exit 10 || fail "the program did not end after Close"
    stop_vantry
    end_case

    begin_case KeysSwitchTabsAskToDeleteAndOpenTheFocusedItem
    start_vantry
    press_until 10 ctrl+Tab items_is VantryLargeList 'C:' || fail "Ctrl+Tab did not show tab 1"
    xdotool key ctrl+1
    wait_for 5 items_is VantryLargeList "alpha;gamma" >/dev/null || fail "Ctrl+1 did not show tab 0"
    xdotool key End Delete
    answer_question "Delete the item 'gamma'?" "&No"
    # The box gives the keyboard back once it has gone; X delivers the focus a moment later.
    sleep 0.5
    shot keyboard-focus
    # Home, then type-ahead back to gamma; Enter opens it as a click does, hand-over file and
    # all. (A folder: this Wine prefix has no program for text files, and the shell would ask.)
    xdotool key Home
    xdotool type --delay 50 ga
    xdotool key Return
    wait_exit 10 || fail "the program did not end after Enter"
    expect_file shfile.txt "$gamma"
    # The folder opened in the file manager: closed again so that it covers nothing later.
    local opened
    if opened=$(wait_for 10 launched_window gamma); then probe end "$(hwnd_of "$opened")"; fi
    stop_vantry
    end_case

    begin_case ShiftRightReleaseAndShiftF10OpenTheShellsMenu
    start_vantry
    age_files VantryList0.txt
    # Opened on the release, as a file manager's: a pointer that drifts while the button is held
    # must not run the command under it.
    xdotool mousemove $(centre "$(child_rect VantryLargeList gamma)")
    sleep 0.2
    xdotool keydown shift mousedown 3
    sleep 0.5
    no_menu || fail "the shell menu opened on the press"
    xdotool mouseup 3 keyup shift
    wait_for 5 visible_top '#32768' >/dev/null || fail "no shell menu after Shift and a right release"
    no_box || fail "a message box came with the shell menu"
    shot shell-menu
    xdotool key Escape
    wait_for 5 no_menu >/dev/null || fail "the shell menu stayed after Esc"
    xdotool mousemove 900 700
    xdotool key Down
    sleep 0.3
    xdotool key shift+F10
    wait_for 5 visible_top '#32768' >/dev/null || fail "no shell menu after Shift+F10"
    xdotool key Escape
    wait_for 5 no_menu >/dev/null || fail "the shell menu stayed after Esc"
    expect_eq "list window shown" VantryLargeList "$(visible_list)"
    expect_not_written VantryList0.txt
    click_label VantryLargeList Close
    wait_exit 10 || fail "the program did not end after Close"
    stop_vantry
    end_case

    begin_case AShellMenuCommandRunsAndWhatItCopiedOutlivesTheProgram
    start_vantry
    shift_right_press VantryLargeList gamma
    wait_for 5 visible_top '#32768' >/dev/null || fail "no shell menu after Shift and a right press"
    xdotool key c
    wait_for 5 no_menu >/dev/null || fail "the shell menu stayed after its Copy was chosen"
    expect_eq "clipboard after Copy" "${gamma%\\}" "$(probe clipboard)"
    expect_eq "list window shown after the command" VantryLargeList "$(visible_list)"
    xdotool key Escape
    wait_exit 10 || fail "the program did not end after Esc"
    # The program has ended at once, without its windows' teardown: the copied item stays.
    expect_eq "clipboard after the end" "${gamma%\\}" "$(probe clipboard)"
    stop_vantry
    end_case

    begin_case AMissingItemSaysSoAndTheProgramStaysOpen
    local gone
    gone=$(make_item gone)
    rm "$DIR/gone.txt" "$DIR/shfile.txt"
    crlf "$alpha" "$gone" "$gamma" >"$DIR/VantryList0.txt"
    start_vantry
    # Its tip says so once the check has answered (beside the icon look-up).
    rest_on VantryLargeList gone
    wait_for 5 tip_is "$gone (not found)" >/dev/null || fail "no tip saying the item was not found"
    shot missing-large
    age_files VantryList0.txt
    click_label VantryLargeList gone
    answer_question "\"$gone\" was not found. The item stays in the list; a right click on it offers to delete it." OK
    kill -0 "$VPID" 2>/dev/null || fail "the program ended after the click on a missing item"
    expect_eq "list window shown" VantryLargeList "$(visible_list)"
    expect_absent shfile.txt
    expect_not_written VantryList0.txt
    # Esc still ends it as usual, and the missing item is kept.
    xdotool key Escape
    wait_exit 10 || fail "the program did not end after Esc"
    stop_vantry
    expect_file VantryList0.txt "$alpha" "$gone" "$gamma"
    end_case
}
items_is() { [ "$(items_of "$1")" == "$2" ]; }
no_menu() { ! visible_top '#32768' >/dev/null; }
tip_is() { probe list tooltips_class32 | awk -F'\t' '$5==1 {print $7}' | grep -qxF "$1"; }

# --- suite "proof": a user's day, the files checked after every step --------------------------

proof_suite() {
    new_folder
    local files

    begin_case FirstStartShowsTheSmallListAndCreatesNothing
    start_vantry
    expect_eq "list window shown" VantrySmallList "$(visible_list)"
    expect_eq "tabs" "Main | ; Main | ; Main | ; Main | ; Main |" "$(tabs_of VantrySmallList)"
    expect_eq "items" "" "$(items_of VantrySmallList)"
    wait_for 5 caption_glows VantrySmallList "$HINT" >/dev/null || fail "the empty tab's hint is not drawn"
    # Its halo stays in the first row: the second row's icon box and caption covered what
    # reached into it, all but a square between them, under the hint's first letters.
    expect_eq "grey levels under the hint's first letters (the second row's, as the sixteenth's)" \
        "$(row_band_grey VantrySmallList 15)" "$(row_band_grey VantrySmallList 1)"
    shot first-start
    files=$(ls "$DIR" | paste -sd' ')
    expect_eq "files in the folder" "Vantry.exe" "$files"
    # Close saves the shown tab: an empty list makes an empty file.
    click_label VantrySmallList Close
    wait_exit 10 || fail "the program did not end after Close"
    stop_vantry
    expect_file VantryList0.txt
    end_case

    begin_case RealDragAndDropFromXAddsItems
    local first second album
    first=$(make_item first)
    second=$(make_item second)
    album=$(make_folder_item album)
    # The empty list the first day left gives the default item "C:\" at this start.
    start_vantry
    click_label VantrySmallList "Drop Target"
    wait_for 5 visible_top VantryDropWindow >/dev/null || fail "no drop window"
    age_files VantryList0.txt
    drag_onto VantryDropWindow "file://$DIR/first.txt" "file://$DIR/second.txt" "file://$DIR/album"
    wait_for 10 items_is VantrySmallList "C:;first;second;album" >/dev/null
    expect_eq "items after the drop" "C:;first;second;album" "$(items_of VantrySmallList)"
    # The drop's block is saved with the line its entry ends with; the next save drops it.
    expect_file VantryList0.txt 'C:\' "$first" "$second" "$album" ""
    shot drop
    end_case

    begin_case RealDragOfPlainTextSaysItHoldsNoFiles
    age_files VantryList0.txt
    drag_onto VantryDropWindow --text "just some words"
    local box ok
    if box=$(wait_for 5 visible_top '#32770'); then
        expect_eq "message box title" "Vantry" "$(echo "$box" | head -1 | cut -f7)"
        expect_eq "message box text" \
            "Can't get the files of one or more of the dropped items! Please modify your selection." \
            "$(probe list '#32770' | awk -F'\t' '$1=="child" && $4=="Static" && $7!="" {print $7}')"
        # Wine passes no X input to a box shown while it handles the X drop: press OK directly.
        ok=$(probe list '#32770' | awk -F'\t' '$1=="child" && $4=="Button" && $7=="OK" {print $2}')
        probe press "$ok"
        wait_for 5 no_box >/dev/null || fail "message box still shown after OK"
    else
        fail "no message box appeared"
    fi
    expect_not_written VantryList0.txt
    expect_eq "items after the text drop" "C:;first;second;album" "$(items_of VantrySmallList)"
    click_label VantrySmallList Close
    wait_exit 10 || fail "the program did not end after Close"
    stop_vantry
    expect_file VantryList0.txt 'C:\' "$first" "$second" "$album"
    end_case

    # The rest of the day starts from a list written beforehand, so that each step's files are
    # known exactly.
    local report notes photo
    report=$(make_item report)
    notes=$(make_item notes)
    photo=$(make_folder_item photo)
    # The empty line, which a save drops, makes the first save of the tab a write.
    crlf "$report" "" "$notes" "$photo" >"$DIR/VantryList0.txt"

    begin_case StartWithDroppedItemsAndSwitchTabs
    start_vantry
    expect_eq "items" "report;notes;photo" "$(items_of VantrySmallList)"
    age_files VantryList0.txt
    show_tab VantrySmallList 1 ""
    expect_eq "items of tab 1" "" "$(items_of VantrySmallList)"
    expect_written VantryList0.txt
    expect_file VantryList0.txt "$report" "$notes" "$photo"
    expect_absent VantryList1.txt
    show_tab VantrySmallList 0 "report;notes;photo"
    expect_eq "items of tab 0 again" "report;notes;photo" "$(items_of VantrySmallList)"
    # Leaving the empty tab 1 writes its empty list.
    expect_file VantryList1.txt
    end_case

    begin_case ConfigWindowNamesTabs
    age_files listtype.txt
    click_label VantrySmallList Config
    wait_for 5 visible_top VantryConfigWindow >/dev/null || fail "no configuration window"
    expect_eq "config title" "Config" "$(visible_top VantryConfigWindow | cut -f7)"
    # Opening it selects the style in use, which stores it.
    expect_file listtype.txt small
    expect_eq "checked style option" "Small List" "$(checked_option)"
    # Every tab has a name, so "New Tab" finds no free one: free tabs 1 to 4 by erasing names.
    local k
    for k in 1 2 3 4; do
        click_config_tab "$k"
        clear_edit
    done
    click_label VantryConfigWindow "Update Tabs"
    sleep 0.5
    expect_file VantryTabs.txt "Main |" "" "" "" ""
    expect_eq "list tabs after erasing" "Main | ;  ;  ;  ; " "$(tabs_of VantrySmallList)"
    click_label VantryConfigWindow "New Tab < Click here to start a new tab."
    expect_eq "tab being edited" "1" "$(config_text Static 3)"
    xdotool type --delay 30 "Work, Home |"
    sleep 0.3
    click_label VantryConfigWindow "Update Tabs"
    sleep 0.5
    expect_file VantryTabs.txt "Main |" "Work, Home |" "" "" ""
    expect_eq "list tabs" "Main | ; Work, Home | ;  ;  ; " "$(tabs_of VantrySmallList)"
    shot config
    end_case

    begin_case ConfigWindowSwitchesStyles
    click_option "Large List"
    wait_for 5 list_is VantryLargeList >/dev/null
    expect_eq "list window shown" VantryLargeList "$(visible_list)"
    expect_file listtype.txt large
    expect_eq "checked style option" "Large List" "$(checked_option)"
    expect_eq "items in the large list" "report;notes;photo" "$(items_of VantryLargeList)"
    click_option "Small List"
    wait_for 5 list_is VantrySmallList >/dev/null
    expect_eq "list window shown" VantrySmallList "$(visible_list)"
    expect_file listtype.txt small
    click_option "Large List"
    wait_for 5 list_is VantryLargeList >/dev/null
    expect_file listtype.txt large
    expect_eq "tabs of the large list" "Main | ; Work, Home | ;  ;  ; " "$(tabs_of VantryLargeList)"
    shot large-with-config
    end_case

    begin_case DeleteWithNoThenYes
    age_files VantryList0.txt
    click_label VantryLargeList notes 3
    answer_question "Delete the item 'notes'?" "&No"
    sleep 0.3
    expect_eq "items after No" "report;notes;photo" "$(items_of VantryLargeList)"
    expect_not_written VantryList0.txt
    click_label VantryLargeList report 3
    answer_question "Delete the item 'report'?" "&Yes"
    wait_for 5 items_is VantryLargeList "notes;photo" >/dev/null
    expect_eq "items after Yes" "notes;photo" "$(items_of VantryLargeList)"
    expect_file VantryList0.txt "$notes" "$photo"
    end_case

    begin_case OpenAnItemEndsTheDay
    click_label VantryLargeList photo
    wait_exit 10 || fail "the program did not end after the item click"
    expect_file shfile.txt "$photo"
    expect_file VantryList0.txt "$notes" "$photo"
    expect_file listtype.txt large
    expect_file VantryTabs.txt "Main |" "Work, Home |" "" "" ""
    end_launched photo
    stop_vantry
    end_case

    begin_case NextStartKeepsEverything
    start_vantry
    expect_eq "list window shown" VantryLargeList "$(visible_list)"
    expect_eq "tabs" "Main | ; Work, Home | ;  ;  ; " "$(tabs_of VantryLargeList)"
    expect_eq "items" "notes;photo" "$(items_of VantryLargeList)"
    click_label VantryLargeList Close
    wait_exit 10 || fail "the program did not end after Close"
    stop_vantry
    expect_file VantryList0.txt "$notes" "$photo"
    end_case

    begin_case AnEditMadeWhileItRunsIsKeptBesideItsOwnChange
    local extra
    extra=$(make_item extra)
    start_vantry
    # A text editor adds an item while the program runs; then an item is deleted here.
    crlf "$notes" "$photo" "$extra" >"$DIR/VantryList0.txt"
    click_label VantryLargeList notes 3
    answer_question "Delete the item 'notes'?" "&Yes"
    wait_for 5 items_is VantryLargeList "photo;extra" >/dev/null
    expect_eq "items after the delete" "photo;extra" "$(items_of VantryLargeList)"
    expect_file VantryList0.txt "$photo" "$extra"
    click_label VantryLargeList Close
    wait_exit 10 || fail "the program did not end after Close"
    stop_vantry
    expect_file VantryList0.txt "$photo" "$extra"
    end_case
}
list_is() { [ "$(visible_list)" == "$1" ]; }

click_option() {
    local rect
    # Right after a style switch the program may still be loading the list it shows.
    rect=$(wait_for 5 child_rect VantryConfigWindow "$1" Button) || {
        fail "no option \"$1\""
        return
    }
    click_at $(centre "$rect")
}

# The caption of the checked option of the configuration window.
checked_option() {
    probe list VantryConfigWindow | awk -F'\t' '$1=="child" && $4=="Button" && $8=="checked" {print $7}'
}

# Texts of the configuration window's controls of a class, in creation order; with N, the Nth.
config_text() {
    probe list VantryConfigWindow | awk -F'\t' -v k="$1" '$1=="child" && $4==k {print $7}' |
        sed -n "${2:-1}p"
}

# The configuration window's tab label K: the statics after the first three fixed ones.
click_config_tab() {
    local rect
    rect=$(probe list VantryConfigWindow |
        awk -F'\t' '$1=="child" && $4=="Static" {print $6}' | sed -n "$(($1 + 4))p")
    [ -n "$rect" ] || { fail "no tab label $1 in the configuration window"; return; }
    click_at $(centre "$rect")
}

# Empties the text box by real keys: to the end, select to the start, delete.
clear_edit() {
    local rect
    rect=$(probe list VantryConfigWindow | awk -F'\t' '$1=="child" && $4=="Edit" {print $6}')
    click_at $(centre "$rect")
    xdotool key End shift+Home BackSpace
    sleep 0.3
}

# --- suite "loading": what the program loads from its own folder --------------------------

loading_suite() {
    new_folder
    cp "$BUILD/planted/dwmapi.dll" "$DIR/"
    local alpha
    alpha=$(make_item alpha)
    crlf large >"$DIR/listtype.txt"
    crlf "$alpha" >"$DIR/VantryList0.txt"

    begin_case LookAlikeDwmapiBesideTheProgramIsNeverLoaded
    start_vantry
    expect_eq "list window shown" VantryLargeList "$(visible_list)"
    expect_eq "items" "alpha" "$(items_of VantryLargeList)"
    # The caption is black on the black of a window without glass: only its glow is bright.
    wait_for 5 caption_glows VantryLargeList alpha >/dev/null || fail "the caption \"alpha\" shows no glow"
    shot loading
    click_label VantryLargeList Close
    wait_exit 10 || fail "the program did not end after Close"
    stop_vantry
    expect_absent planted-dwmapi-loaded.txt
    end_case
}

# caption_glows CLASS TEXT: some pixel of the caption on screen is bright.
caption_glows() {
    local rect
    rect=$(child_rect "$1" "$2") || return 1
    local geometry brightest
    geometry=$(echo "$rect" | awk '{printf "%dx%d+%d+%d", $3 - $1, $4 - $2, $1, $2}')
    brightest=$(import -display "$DISPLAY" -window root -crop "$geometry" png:- 2>/dev/null |
        convert - -format '%[fx:int(255 * maxima.intensity)]' info: 2>/dev/null)
    [ "${brightest:-0}" -ge 128 ]
}

# --- suite "scales": starts at 150 % and 200 %, on large and small screens --------------------

# LogPixels holds for a whole Wine prefix, and a wineserver keeps reporting the size of the first
# display it served: each scale gets a prefix of its own (made once, then kept beside the main
# one) and each screen an X server and a wineserver of its own.
SCALE_XVFB=""
SCREEN_W=0
SCREEN_H=0
scale_begin() {
    local dpi=$1 n=120 i
    export WINEPREFIX="$BUILD/wineprefix-$dpi"
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${2}x${3}x24" -nolisten tcp >/dev/null 2>&1 &
    SCALE_XVFB=$!
    export DISPLAY=":$n"
    for i in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    SCREEN_W=$2
    SCREEN_H=$3
    wineserver -p >/dev/null 2>&1
    if [ ! -f "$WINEPREFIX/vantry-dpi" ]; then
        wine wineboot -i >/dev/null 2>&1 </dev/null
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
            >/dev/null 2>&1 </dev/null
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
        # The running desktop process read the old DPI: start the prefix afresh.
        wineserver -k >/dev/null 2>&1
        wineserver -w >/dev/null 2>&1
        wineserver -p >/dev/null 2>&1
        touch "$WINEPREFIX/vantry-dpi"
    fi
    wine wineboot -i >/dev/null 2>&1 </dev/null
}
scale_end() {
    stop_vantry
    wineserver -k >/dev/null 2>&1
    kill "$SCALE_XVFB" 2>/dev/null
    wait "$SCALE_XVFB" 2>/dev/null
}

# The list window of CLASS and every child it shows lie on the screen, and it rests on the
# screen's bottom (the virtual screen has no taskbar).
expect_on_screen() {
    local out
    out=$(probe list "$1" | awk -F'\t' -v w="$SCREEN_W" -v h="$SCREEN_H" '
        $5==1 { split($6, r, " ")
                if (r[1] < 0 || r[2] < 0 || r[3] > w || r[4] > h) print $1 " " $4 " \"" $7 "\" at " $6
                if ($1=="top" && r[4] != h) print "bottom at " r[4] " not " h }')
    [ -z "$out" ] || fail "$1 not wholly on the screen: $out"
}

# The list window's client width, from its bottom bar, which spans it.
bar_width() {
    probe list "$1" | awk -F'\t' '$1=="top" {w=$2} $1=="child" && $3==w && $4=="VantryStrip" {
        split($6, r, " "); print r[3] - r[1]}'
}

# scale_start STYLE CLASS: a folder with a file and a folder item, started in that style.
scale_start() {
    new_folder
    crlf "$1" >"$DIR/listtype.txt"
    crlf "$(make_item alpha)" "$(make_folder_item beta)" >"$DIR/VantryList0.txt"
    start_vantry
    wait_for 5 items_is "$2" "alpha;beta" >/dev/null || fail "the items did not appear"
}

scales_suite() {
    local dpi size w h class left
    for dpi in 144 192; do
        [ "$dpi" = 144 ] && size=1920x1080 || size=2560x1440
        w=${size%x*}
        h=${size#*x}
        scale_begin "$dpi" "$w" "$h"
        begin_case "SmallListAt${dpi}DpiOn${size}IsScaledAndRestsOnTheBottom"
        scale_start small VantrySmallList
        expect_eq "bar width" "$((4560 * dpi / 1440))" "$(bar_width VantrySmallList)"
        left=$(visible_top VantrySmallList | cut -f6 | cut -d' ' -f1)
        expect_eq "left edge" "$(((1024 * dpi + 720) / 1440))" "$left"
        expect_on_screen VantrySmallList
        # The other two windows, for the screenshot.
        click_label VantrySmallList "Drop Target" && wait_for 5 is_visible VantryDropWindow >/dev/null ||
            fail "no drop window"
        click_label VantrySmallList Config && wait_for 5 is_visible VantryConfigWindow >/dev/null ||
            fail "no configuration window"
        shot "scale-$dpi-$size-small"
        stop_vantry
        end_case
        begin_case "LargeListAt${dpi}DpiOn${size}FitsTheScreen"
        scale_start large VantryLargeList
        expect_on_screen VantryLargeList
        shot "scale-$dpi-$size-large"
        stop_vantry
        end_case
        scale_end
    done
    scale_begin 144 1024 768
    for class in VantrySmallList VantryLargeList; do
        begin_case "${class#Vantry}At144DpiOn1024x768ShrinksToFit"
        [ "$class" = VantrySmallList ] && scale_start small "$class" || scale_start large "$class"
        expect_on_screen "$class"
        shot "scale-144-1024x768-${class#Vantry}"
        stop_vantry
        end_case
    done
    scale_end
}

# --- suite "stick": an item stored on one drive letter opens from the program's ---------------

# The folder is a stick that was E: on the PC that stored its item and is F: here, where no E: is
# (Wine's drive letters are the links in dosdevices).
stick_suite() {
    new_folder
    local drives="$WINEPREFIX/dosdevices" item='E:\PortableApps\Probe\launch_probe.exe'
    local used='F:\PortableApps\Probe\launch_probe.exe'

    begin_case AnItemOnAnotherLetterOpensFromTheProgramsDriveAndStaysAsStored
    if [ -e "$drives/e:" ] || [ -e "$drives/f:" ]; then
        fail "drive E: or F: is already taken in $WINEPREFIX"
        end_case
        return
    fi
    mkdir -p "$DIR/PortableApps/Probe"
    cp "$BUILD/launch_probe.exe" "$DIR/PortableApps/Probe/"
    crlf "$item" >"$DIR/VantryList0.txt"
    ln -s "$DIR" "$drives/f:"
    start_vantry 'F:\Vantry.exe'
    wait_for 5 items_is VantrySmallList launch_probe >/dev/null || fail "the item did not appear"
    # Shown as found, its tip naming the path in use.
    rest_on VantrySmallList launch_probe
    wait_for 5 tip_is "$used" >/dev/null || fail "no tip with the path on the program's drive"
    shot stick
    age_files VantryList0.txt
    click_label VantrySmallList launch_probe
    wait_exit 10 || fail "the program did not end after the item click"
    wait_for 10 test -f "$DIR/PortableApps/Probe/launched.txt" >/dev/null
    expect_file PortableApps/Probe/launched.txt "\"$used\"" 'F:\PortableApps\Probe'
    expect_file shfile.txt "$used"
    expect_not_written VantryList0.txt
    expect_file VantryList0.txt "$item"
    rm -f "$drives/f:"
    stop_vantry
    end_case
}

# --- suite "readonly": a folder that cannot be written still opens every item ------------------

# The folder is a read-only bind mount: a locked stick, a CD or a read-only share as the program
# meets it (writes fail with EROFS, which Wine reports as access denied). Making one needs root.
readonly_suite() {
    begin_case AReadOnlyFolderShowsSwitchesTabsOpensItemsAndRefusesADropOnce
    if [ "$(id -u)" -ne 0 ]; then
        echo "  SKIPPED: a read-only bind mount needs root"
        end_case
        return
    fi
    new_folder
    local source=$DIR mount alpha beta
    mount=$(mktemp -d "${TMPDIR:-/tmp}/vantry-readonly.XXXXXX")
    # The items are stored as they are reached through the mount.
    printf 'item alpha\r\n' >"$source/alpha.txt"
    mkdir "$source/beta"
    DIR=$mount
    WDIR=$(winepath -w "$mount" 2>/dev/null)
    alpha="$WDIR\\alpha.txt"
    beta="$WDIR\\beta\\"
    crlf small >"$source/listtype.txt"
    crlf "Main |" "Work |" "" "" "" >"$source/VantryTabs.txt"
    crlf "$alpha" "$beta" >"$source/VantryList0.txt"
    crlf "$alpha" >"$source/VantryList1.txt"
    local before
    before=$(cd "$source" && ls -A && cat ./*.txt | md5sum)
    if ! mount --bind "$source" "$mount" || ! mount -o remount,bind,ro "$mount"; then
        fail "could not make a read-only bind mount"
        umount "$mount" 2>/dev/null
        DIR=$source
        rmdir "$mount"
        end_case
        return
    fi
    start_vantry
    expect_eq "items" "alpha;beta" "$(items_of VantrySmallList)"
    show_tab VantrySmallList 1 alpha || fail "tab 1 was not shown"
    show_tab VantrySmallList 0 "alpha;beta" || fail "tab 0 was not shown"
    no_box || fail "a message box after switching tabs"
    drag_onto VantrySmallList "file://$source/alpha.txt"
    local box text ok
    if box=$(wait_for 5 visible_top '#32770'); then
        text=$(probe list '#32770' | awk -F'\t' '$1=="child" && $4=="Static" && $7!="" {print $7}')
        [[ "$text" == *read-only* ]] || fail "the message does not say read-only: [$text]"
        shot readonly
        # Wine passes no X input to a box shown while it handles the X drop: press OK directly.
        ok=$(probe list '#32770' | awk -F'\t' '$1=="child" && $4=="Button" && $7=="OK" {print $2}')
        probe press "$ok"
        wait_for 5 no_box >/dev/null || fail "message box still shown after OK"
    else
        fail "no message box after the first drop"
    fi
    wait_for 5 items_is VantrySmallList "alpha;beta" >/dev/null
    expect_eq "items after the refused drop" "alpha;beta" "$(items_of VantrySmallList)"
    # Refused quietly: a message box would be modal and keep the click below from opening beta.
    drag_onto VantrySmallList "file://$source/alpha.txt"
    click_label VantrySmallList beta
    wait_exit 10 || fail "the program did not end after the item click"
    end_launched beta
    stop_vantry
    # The processes that had it open may take a moment to end.
    wait_for 20 umount "$mount" >/dev/null || fail "could not unmount $mount"
    DIR=$source
    rmdir "$mount"
    expect_eq "the folder" "$before" "$(cd "$source" && ls -A && cat ./*.txt | md5sum)"
    end_case
}

case "$SUITE" in
    program) program_suite ;;
    proof) proof_suite ;;
    loading) loading_suite ;;
    scales) scales_suite ;;
    drag) drag_suite ;;
    stick) stick_suite ;;
    readonly) readonly_suite ;;
    taskbar) taskbar_suite ;;
    *) echo "unknown suite $SUITE" >&2; exit 2 ;;
esac
stop_vantry
[ -n "$DIR" ] && rm -rf "$DIR"
write_xml "$XML"
