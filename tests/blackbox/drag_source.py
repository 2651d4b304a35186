"""A file manager's part in a drag and drop: a window that drags the given file URIs, or with
--text the given words as plain text (no file list).

Usage: drag_source.py X Y [--text] URI-or-WORD... ; the window opens at (X, Y). The test presses the pointer on
it, moves it onto the target and releases it, with real X input."""
import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, Gtk  # noqa: E402

x, y, items = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3:]
text = items[:1] == ["--text"]
if text:
    items = items[1:]
window = Gtk.Window(title="vantry-drag-source")
window.move(x, y)
button = Gtk.Button(label="drag")
button.set_size_request(160, 80)
button.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [], Gdk.DragAction.COPY)
if text:
    button.drag_source_add_text_targets()
    button.connect("drag-data-get", lambda w, c, data, i, t: data.set_text(" ".join(items), -1))
else:
    button.drag_source_add_uri_targets()
    button.connect("drag-data-get", lambda w, c, data, i, t: data.set_uris(items))
window.add(button)
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()
