# Suite "drag" of run.sh: items dragged with real X mouse input, within the list, onto a tab
# label and out to a drop target in another process.

# item_point CLASS TEXT [DX]: a point on the caption with that text, DX pixels right of its left
# edge (10 by default).
item_point() {
    local rect
    rect=$(wait_for 3 child_rect "$1" "$2") || { fail "no caption \"$2\" in $1"; return 1; }
    echo "$rect" | awk -v dx="${3:-10}" '{printf "%d %d\n", $1 + dx, ($2 + $4) / 2}'
}

# icon_point CLASS SLOT: the centre of the slot's icon box.
icon_point() {
    centre "$(probe list "$1" | awk -F'\t' -v n="$(($2 + 1))" '
        $1=="top" {top=$2}
        $1=="child" && $3==top && $4=="VantryIconBox" && ++i==n {print $6}')"
}

# drag_mouse X1 Y1 X2 Y2 [SHOT]: a left press at X1 Y1, a move in steps to X2 Y2 and a release
# there; with SHOT, a screenshot of that name just before the release.
drag_mouse() {
    local step
    xdotool mousemove --sync "$1" "$2" mousedown 1
    sleep 0.2
    for step in 1 2 3 4 5 6; do
        xdotool mousemove --sync $(($1 + ($3 - $1) * step / 6)) $(($2 + ($4 - $2) * step / 6))
        sleep 0.15
    done
    sleep 0.3
    [ -n "${5:-}" ] && shot "$5"
    xdotool mouseup 1
    sleep 0.5
}

drag_suite() {
    new_folder
    local alpha beta gamma delta from to
    alpha=$(make_item alpha)
    beta=$(make_item beta)
    gamma=$(make_item gamma)
    delta=$(make_item delta)
    crlf small >"$DIR/listtype.txt"
    crlf "Main |" "Work |" "" "" "" >"$DIR/VantryTabs.txt"
    crlf "$alpha" "$beta" "$gamma" >"$DIR/VantryList0.txt"
    crlf "$delta" >"$DIR/VantryList1.txt"
    start_vantry

    begin_case APressMovedOnTheSameItemOpensNothing
    age_files VantryList0.txt
    from=$(item_point VantrySmallList beta 10)
    drag_mouse ${from% *} ${from#* } $((${from% *} + 40)) ${from#* }
    sleep 0.5
    kill -0 "$VPID" 2>/dev/null || fail "the program ended: the item was opened"
    expect_absent shfile.txt
    expect_not_written VantryList0.txt
    end_case

    begin_case DragWithinTheListSavesTheNewOrder
    from=$(item_point VantrySmallList alpha)
    to=$(item_point VantrySmallList gamma)
    # The lower half of gamma's row: alpha goes below it.
    drag_mouse ${from% *} ${from#* } ${to% *} $((${to#* } + 6)) drag-small
    wait_for 5 items_is VantrySmallList "beta;gamma;alpha" >/dev/null
    expect_eq "items" "beta;gamma;alpha" "$(items_of VantrySmallList)"
    expect_file VantryList0.txt "$beta" "$gamma" "$alpha"
    expect_absent shfile.txt
    end_case

    begin_case EscCancelsTheDrag
    age_files VantryList0.txt
    from=$(item_point VantrySmallList alpha)
    to=$(item_point VantrySmallList beta)
    xdotool mousemove --sync ${from% *} ${from#* } mousedown 1
    sleep 0.2
    xdotool mousemove --sync ${from% *} $((${from#* } - 12))
    sleep 0.2
    xdotool mousemove --sync ${to% *} ${to#* }
    sleep 0.3
    xdotool key Escape
    sleep 0.3
    xdotool mouseup 1
    sleep 0.5
    expect_eq "items" "beta;gamma;alpha" "$(items_of VantrySmallList)"
    expect_not_written VantryList0.txt
    end_case

    begin_case DragOntoATabLabelMovesTheItemThere
    from=$(item_point VantrySmallList gamma)
    to=$(centre "$(list_labels VantrySmallList | sed -n 2p | cut -f1)")
    drag_mouse ${from% *} ${from#* } ${to% *} ${to#* } drag-tab
    wait_for 5 items_is VantrySmallList "beta;alpha" >/dev/null
    expect_eq "items" "beta;alpha" "$(items_of VantrySmallList)"
    expect_file VantryList0.txt "$beta" "$alpha"
    expect_file VantryList1.txt "$delta" "$gamma"
    end_case

    begin_case DragOutHandsThePathToAnotherProgramAsACopy
    local out="$DIR.drop.txt" line
    (wine "$BUILD/vantry_probe.exe" droptarget 700 300 2>/dev/null | tr -d '\r' >"$out") &
    local target=$!
    wait_for 10 x_shown vantry-probe-drop || fail "the drop target did not appear"
    from=$(item_point VantrySmallList beta)
    drag_mouse ${from% *} ${from#* } 760 340
    wait_for 10 grep -q '^drop' "$out" >/dev/null
    wait "$target" 2>/dev/null
    line=$(grep '^drop' "$out")
    # Allowed: copy (1) and link (4), never move (2); the target chose copy.
    expect_eq "drop" "$(printf 'drop\t%s\t5\t1' "$beta")" "$line"
    [ -f "$DIR/beta.txt" ] || fail "the item's file left its folder"
    expect_eq "items" "beta;alpha" "$(items_of VantrySmallList)"
    rm -f "$out"
    end_case

    begin_case DragFromAnIconInTheLargeStyleShowsTheMarkAndMoves
    stop_vantry
    crlf large >"$DIR/listtype.txt"
    start_vantry
    # From the icon this time: it starts a drag as the caption does.
    from=$(icon_point VantryLargeList 1)
    to=$(item_point VantryLargeList beta)
    # The upper half of beta's row: alpha goes above it.
    drag_mouse ${from% *} ${from#* } ${to% *} $((${to#* } - 8)) drag-large
    wait_for 5 items_is VantryLargeList "alpha;beta" >/dev/null
    expect_eq "items" "alpha;beta" "$(items_of VantryLargeList)"
    expect_file VantryList0.txt "$alpha" "$beta"
    end_case
}
