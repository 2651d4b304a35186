# Helpers of the black-box suite: starting the real Vantry.exe in a folder of its own, reading its
# windows through vantry_probe.exe, real X mouse and keyboard input, and GoogleTest-style results.
# Sourced by run.sh, which sets BUILD (the windows build folder).

# --- results ----------------------------------------------------------------------------------

CASES=()      # "name<TAB>seconds<TAB>failure text (empty when passed)"
CASE_NAME=""
CASE_FAILS=""
CASE_START=0

begin_case() {
    CASE_NAME=$1
    CASE_FAILS=""
    CASE_START=$(date +%s.%N)
    echo "[ RUN      ] $SUITE.$CASE_NAME"
}

fail() {
    echo "  FAILED: $*"
    CASE_FAILS+="$*"$'\n'
}

end_case() {
    local took
    took=$(awk -v a="$CASE_START" -v b="$(date +%s.%N)" 'BEGIN {printf "%.3f", b - a}')
    CASES+=("$CASE_NAME"$'\t'"$took"$'\t'"$CASE_FAILS")
    if [ -z "$CASE_FAILS" ]; then echo "[       OK ] $SUITE.$CASE_NAME"; else echo "[  FAILED  ] $SUITE.$CASE_NAME"; fi
}

xml_escape() { sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g' -e 's/"/\&quot;/g'; }

write_xml() {
    local out=$1 n=${#CASES[@]} failures=0 entry name took text
    for entry in "${CASES[@]}"; do
        [ -n "$(echo "$entry" | cut -f3-)" ] && failures=$((failures + 1))
    done
    {
        echo '<?xml version="1.0" encoding="UTF-8"?>'
        echo "<testsuites tests=\"$n\" failures=\"$failures\" disabled=\"0\" errors=\"0\" name=\"AllTests\">"
        echo "  <testsuite name=\"$SUITE\" tests=\"$n\" failures=\"$failures\" disabled=\"0\" errors=\"0\">"
        for entry in "${CASES[@]}"; do
            name=$(echo "$entry" | head -1 | cut -f1)
            took=$(echo "$entry" | head -1 | cut -f2)
            text=$(echo "$entry" | cut -f3- | xml_escape)
            if [ -z "$(echo "$entry" | cut -f3-)" ]; then
                echo "    <testcase name=\"$name\" status=\"run\" time=\"$took\" classname=\"$SUITE\" />"
            else
                echo "    <testcase name=\"$name\" status=\"run\" time=\"$took\" classname=\"$SUITE\">"
                echo "      <failure message=\"$(echo "$text" | head -1)\">$text</failure>"
                echo "    </testcase>"
            fi
        done
        echo "  </testsuite>"
        echo "</testsuites>"
    } >"$out"
    [ "$failures" -eq 0 ]
}

# --- checks -----------------------------------------------------------------------------------

# expect_eq WHAT EXPECTED ACTUAL
expect_eq() {
    [ "$2" == "$3" ] || fail "$1: expected [$2], got [$3]"
}

# Lines joined with CR LF, each line ended by it: what the program writes.
crlf() {
    local line
    for line in "$@"; do printf '%s\r\n' "$line"; done
}

# expect_file FILE LINE... : the file holds exactly these lines, each ended by CR LF.
expect_file() {
    local file=$1
    shift
    if [ ! -f "$DIR/$file" ]; then
        fail "$file: expected to exist"
        return
    fi
    if ! cmp -s <(crlf "$@") "$DIR/$file"; then
        fail "$file: expected $(crlf "$@" | od -c | head -c 300 | tr -s ' \n' ' '), got $(od -c "$DIR/$file" | head -c 300 | tr -s ' \n' ' ')"
    fi
}

expect_absent() {
    [ ! -e "$DIR/$1" ] || fail "$1: expected no such file, found $(od -c "$DIR/$1" | head -c 200 | tr -s ' \n' ' ')"
}

# Files older than anything the program writes, so that a write shows in the time stamp.
age_files() {
    local f
    for f in "$@"; do [ -e "$DIR/$f" ] && touch -d @946684800 "$DIR/$f"; done
}
expect_written() {
    [ -e "$DIR/$1" ] && [ "$(stat -c %Y "$DIR/$1")" != 946684800 ] || fail "$1: expected to be written"
}
expect_not_written() {
    [ ! -e "$DIR/$1" ] || [ "$(stat -c %Y "$DIR/$1")" == 946684800 ] || fail "$1: expected to be left alone"
}

# --- the program ------------------------------------------------------------------------------

DIR=""
VPID=""

# A fresh folder holding a copy of the program, the way a user keeps it.
new_folder() {
    DIR=$(mktemp -d "${TMPDIR:-/tmp}/vantry-blackbox.XXXXXX")
    cp "$BUILD/Vantry.exe" "$DIR/"
    WDIR=$(winepath -w "$DIR" 2>/dev/null)
}

# An item: a small text file in the folder; prints its Windows path.
make_item() {
    printf 'item %s\r\n' "$1" >"$DIR/$1.txt"
    printf '%s\\%s.txt' "$WDIR" "$1"
}

# A folder item; its stored path ends in "\".
make_folder_item() {
    mkdir -p "$DIR/$1"
    printf '%s\\%s\\' "$WDIR" "$1"
}

# start_vantry [PROGRAM]: the copy in the folder, or the program at that Windows path.
start_vantry() {
    # What Wine says of the program (a crash's backtrace, say) is kept for a failed case; each
    # start is headed by its case.
    echo "--- $SUITE.$CASE_NAME $(date +%T.%N)" >>"$BUILD/blackbox/$SUITE.log"
    (cd "$DIR" && exec wine "${1:-./Vantry.exe}" >/dev/null 2>>"$BUILD/blackbox/$SUITE.log" </dev/null) &
    VPID=$!
    wait_for 15 visible_list >/dev/null || fail "no list window appeared after start"
    wait_for 5 x_shown Vantry || fail "the list window is not on the X display"
}

# Waits until the program has ended by itself; prints nothing. Fails the case after SECONDS.
wait_exit() {
    local i
    for i in $(seq 1 $(($1 * 10))); do
        kill -0 "$VPID" 2>/dev/null || { wait "$VPID" 2>/dev/null; VPID=""; return 0; }
        sleep 0.1
    done
    return 1
}

# Ends a program that a failed case left running (only the process this suite started).
stop_vantry() {
    if [ -n "$VPID" ] && kill -0 "$VPID" 2>/dev/null; then
        kill "$VPID" 2>/dev/null
        wait "$VPID" 2>/dev/null
    fi
    VPID=""
}

# --- windows ----------------------------------------------------------------------------------

probe() { wine "$BUILD/vantry_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }

# wait_for SECONDS COMMAND...: runs the command until it succeeds; prints its last output.
wait_for() {
    local seconds=$1 i out
    shift
    for i in $(seq 1 $((seconds * 5))); do
        if out=$("$@"); then
            echo "$out"
            return 0
        fi
        sleep 0.2
    done
    return 1
}

# press_until SECONDS KEYS COMMAND...: presses the keys until the command succeeds. Keys that come
# while the program is still starting are ignored (one action at a time), or go nowhere before X
# gives the window the keyboard. A key that was only slow may then act twice: keys that come back
# round (Ctrl+Tab over two tabs) still end where the check wants them.
press_until() {
    local seconds=$1 keys=$2 i
    shift 2
    for i in $(seq 1 "$seconds"); do
        xdotool key "$keys"
        wait_for 1 "$@" >/dev/null && return 0
    done
    return 1
}

# The visible top-level window of a class: prints its probe line.
visible_top() { probe list "$1" | awk -F'\t' -v c="$1" '$1=="top" && $4==c && $5==1' | grep .; }
# The class of the list window on screen.
visible_list() {
    probe list VantryLargeList VantrySmallList | awk -F'\t' '$1=="top" && $5==1 {print $4}' | grep .
}
hwnd_of() { echo "$1" | head -1 | cut -f2; }
is_visible() { [ "$(probe list "$1" | awk -F'\t' '$1=="top" {print $5}')" == 1 ]; }

# Direct Theme Label children of the list window of CLASS, in creation order: the five tabs, then
# the twenty item captions. Prints "left top right bottom<TAB>text" per label.
list_labels() {
    probe list "$1" | awk -F'\t' '
        $1=="top" {top=$2}
        $1=="child" && $3==top && $4=="VantryThemeLabel" {print $6 "\t" $7}'
}
tabs_of() { list_labels "$1" | head -5 | cut -f2 | sed ':a;N;$!ba;s/\n/ ; /g'; }
items_of() { list_labels "$1" | sed -n '6,25p' | cut -f2 | grep -v '^$' | paste -sd';'; }

HINT="Click Drop Target, then drop files on Drop Here"

# The darkest and brightest grey level (0 to 255) in a rectangle "left top right bottom" of the
# screen.
grey_levels() {
    local geometry
    geometry=$(echo "$1" | awk '{printf "%dx%d+%d+%d", $3 - $1, $4 - $2, $1, $2}')
    import -display "$DISPLAY" -window root -crop "$geometry" png:- 2>/dev/null |
        convert - -format '%[fx:int(255 * minima.intensity)] %[fx:int(255 * maxima.intensity)]' info:
}
# row_band_grey CLASS N: on the empty list window of CLASS, the grey levels of the band along
# the top of item row N (0 to 19), from the hint's left edge to just inside the row's caption.
row_band_grey() {
    local labels hint row
    labels=$(list_labels "$1")
    hint=$(echo "$labels" | grep -F "$HINT" | cut -f1)
    row=$(echo "$labels" | sed -n "$(($2 + 6))p" | cut -f1)
    grey_levels "$(echo "$hint $row" | awk '{print $1, $6, $5 + 8, $6 + 8}')"
}

# Screen centre of a rectangle "left top right bottom".
centre() { echo "$1" | awk '{printf "%d %d\n", ($1 + $3) / 2, ($2 + $4) / 2}'; }

# The rectangle of the first child of a top-level window of CLASS whose text is TEXT (and, with
# a third argument, whose class is that).
child_rect() {
    probe list "$1" | awk -F'\t' -v t="$2" -v k="${3:-}" \
        '$1=="child" && $7==t && (k=="" || $4==k) {print $6; exit}' | grep .
}

# Real pointer input through the X server, as a user's hand.
click_at() {
    xdotool mousemove --sync "$1" "$2"
    sleep 0.15
    xdotool click "${3:-1}"
    sleep 0.3
}

# click_label CLASS TEXT [BUTTON]: clicks the centre of the caption with that text.
click_label() {
    local rect
    # A window just shown may not have all its children yet.
    if ! rect=$(wait_for 3 child_rect "$1" "$2"); then
        fail "no caption \"$2\" in $1"
        return 1
    fi
    click_at $(centre "$rect") "${3:-1}"
}

# rest_on CLASS TEXT: the pointer comes to rest on the caption, as before a tip shows.
rest_on() {
    xdotool mousemove $(centre "$(child_rect "$1" "$2")")
    sleep 0.2
    xdotool mousemove_relative 1 0
}

# shift_right_press CLASS TEXT: a right-button press and release with Shift held, on the caption.
shift_right_press() {
    xdotool mousemove $(centre "$(child_rect "$1" "$2")")
    sleep 0.2
    xdotool keydown shift mousedown 3
    sleep 0.2
    xdotool mouseup 3 keyup shift
}

# The tab label of index K on the list window of CLASS.
click_tab() {
    local rect
    rect=$(list_labels "$1" | sed -n "$(($2 + 1))p" | cut -f1)
    click_at $(centre "$rect")
}

# show_tab CLASS K ITEMS: clicks tab K until the list window of CLASS shows ITEMS. Under load a
# click on a window long on screen was now and then lost, as keys are (press_until); a click on
# the tab already shown only shows it again, so a click that was merely slow does no harm.
show_tab() {
    local i
    for i in 1 2 3; do
        click_tab "$1" "$2"
        wait_for 3 items_is "$1" "$3" >/dev/null && return 0
    done
    return 1
}

# drag_onto CLASS URI...: a real X drag and drop, from a small drag source window (standing in for
# a file manager) onto the centre of the top-level window of CLASS. Wine turns it into a drop on
# the window's registered drop target.
drag_onto() {
    local class=$1 rect source
    shift
    rect=$(visible_top "$class" | head -1 | cut -f6) || { fail "no $class window"; return 1; }
    /usr/bin/python3 "$HERE/drag_source.py" 700 60 "$@" >/dev/null 2>&1 &
    source=$!
    if ! wait_for 10 x_shown vantry-drag-source; then
        fail "the drag source did not appear"
        kill "$source" 2>/dev/null
        return 1
    fi
    xdotool mousemove --sync 780 100 mousedown 1
    sleep 0.3
    # A drag starts after a few pixels of movement, then the target follows the pointer.
    local to x y step
    to=$(centre "$rect")
    x=${to% *}
    y=${to#* }
    for step in 1 2 3 4 5 6 7 8; do
        xdotool mousemove --sync $((780 + (x - 780) * step / 8)) $((100 + (y - 100) * step / 8))
        sleep 0.15
    done
    sleep 0.3
    xdotool mouseup 1
    sleep 0.5
    kill "$source" 2>/dev/null
    wait "$source" 2>/dev/null
}
# The X server shows a window of that title. X input goes where the X server sees windows, and a
# window that Wine has marked visible may not be mapped there yet.
x_shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

# The delete question: waits for the "Vantry" message box, checks its text and presses the
# button ("&Yes" or "&No") with a real click.
answer_question() {
    local expected=$1 button=$2 box text rect
    if ! box=$(wait_for 5 visible_top '#32770'); then
        fail "no message box appeared"
        return 1
    fi
    expect_eq "message box title" "Vantry" "$(echo "$box" | head -1 | cut -f7)"
    text=$(probe list '#32770' | awk -F'\t' '$1=="child" && $4=="Static" && $7!="" {print $7}')
    expect_eq "message box text" "$expected" "$text"
    rect=$(child_rect '#32770' "$button" Button) || { fail "no $button button"; return 1; }
    click_at $(centre "$rect")
    wait_for 5 no_box >/dev/null || fail "message box still shown after $button"
}
no_box() { ! visible_top '#32770' >/dev/null; }

# Shots go under build/ so that a person can look at them.
shot() {
    mkdir -p "$BUILD/blackbox"
    import -display "$DISPLAY" -window root "$BUILD/blackbox/$1.png" 2>/dev/null || true
}
