#!/usr/bin/python3
# Reads the editor's window through AT-SPI, as a screen reader does, and checks
# that a listener can tell its controls apart:
#  - every focusable control shown on any of the three tabs has a name, unique
#    within its frame. Each tab is brought forward in turn (through its page
#    tab's action) because Qt marks the controls of hidden pages not showing;
#    a control counts as shown when it and all its ancestors are showing.
#    Items of a table or list (cells, entries) are not controls: a reader
#    names them by their text and their place, checked below for the cells.
#    A control's frame is its nearest ancestor that is a group box (Qt gives
#    a QGroupBox the role PANEL) or the tab strip (for the tabs), else its tab
#    page (a child of the tab control's layered pane), else the window.
#  - the three grids are tables with column headers, and a cell's name or
#    description gives its row's and its column's header.
#  - the eight party boxes have eight different names, none of them only the
#    frame's title.
# Qt's AT-SPI bridge gives no object name or id, so the grids are told by
# their order in the tree (Fgrid(0), Fgrid(1), Fgrid(2), as created) and the
# party frame by its shape: the one group box that holds eight text boxes and
# eight labels and nothing else.
#   read_window.py EDITOR_PID
# Exits non-zero when any check fails or the window cannot be read.
import os
import sys
import time

import pyatspi

WAIT_SECONDS = 30
failures = []


def fail(what, obj=None, path=None):
    where = f" [{obj.getRoleName()} {obj.name!r} at {path}]" if obj is not None else ""
    failures.append(what + where)


def give_up(why):
    print(f"FAIL: {why}")
    sys.exit(1)


def children(obj):
    return [obj.getChildAtIndex(i) for i in range(obj.childCount)]


def walk(obj, path="", shown=True):
    """Yields (object, path, shown, frame path) for the object and all below."""
    stack = [(obj, path, shown, None)]
    while stack:
        o, p, s, frame = stack.pop()
        s = s and o.getState().contains(pyatspi.STATE_SHOWING)
        yield o, p, s, frame
        role = o.getRole()
        parent = o.parent
        if role in (pyatspi.ROLE_PANEL, pyatspi.ROLE_PAGE_TAB_LIST, pyatspi.ROLE_FRAME):
            frame = o.name or p
        elif parent is not None and parent.getRole() == pyatspi.ROLE_LAYERED_PANE:
            frame = f"tab page {p.rsplit('[', 1)[1][:-1]}"
        for i, c in reversed(list(enumerate(children(o)))):
            stack.append((c, f"{p}/{c.getRoleName()}[{i}]" if p else f"{c.getRoleName()}[{i}]", s, frame))


def find(obj, role):
    return [o for o, *_ in walk(obj) if o.getRole() == role]


def editor_running(pid):
    try:
        os.kill(pid, 0)
        return True
    except OSError:
        return False


def wait_for_window(pid):
    """The editor's application once it has shown its three grids with the card loaded."""
    deadline = time.monotonic() + WAIT_SECONDS
    seen = "the editor did not appear on the accessibility bus"
    while time.monotonic() < deadline:
        if not editor_running(pid):
            give_up("the editor ended before its window could be read")
        try:
            apps = [a for a in children(pyatspi.Registry.getDesktop(0)) if a is not None]
            app = next((a for a in apps if a.get_process_id() == pid), None)
            if app is not None:
                # Names and states change as the card loads and the tabs turn:
                # each read starts from what the editor says now.
                app.clear_cache()
                tables = find(app, pyatspi.ROLE_TABLE)
                seen = f"the editor is on the bus with {len(tables)} tables, expected 3"
                if len(tables) == 3:
                    t = tables[0].queryTable()
                    seen = "the card was not loaded: the first grid's cells are empty"
                    if any(t.getAccessibleAt(r, 0).name for r in range(t.nRows)):
                        return app, tables
        except Exception as e:  # the bus is not there or the window is still being built
            seen = f"the accessibility bus could not be read: {e}"
        time.sleep(0.2)
    give_up(f"{seen} (waited {WAIT_SECONDS} s)")


def check_tables(tables):
    for n, table in enumerate(tables):
        t = table.queryTable()
        label = f"Fgrid({n})"
        if t.nColumns <= 0 or t.nRows <= 0:
            fail(f"{label} has {t.nRows} rows and {t.nColumns} columns")
            continue
        column_heads = []
        for c in range(t.nColumns):
            header = t.getColumnHeader(c)
            column_heads.append((header.name if header else "") or t.getColumnDescription(c))
            if not column_heads[c]:
                fail(f"{label} column {c} has no header")
        for r in sorted({0, t.nRows // 2, t.nRows - 1}):
            header = t.getRowHeader(r)
            row_head = (header.name if header else "") or t.getRowDescription(r)
            for c in range(t.nColumns):
                cell = t.getAccessibleAt(r, c)
                said = f"{cell.name} {cell.description}"
                if not row_head or not column_heads[c] or row_head not in said or column_heads[c] not in said:
                    fail(f"{label} cell ({r}, {c}) says {cell.name!r}, {cell.description!r}; "
                         f"expected its headers {row_head!r} and {column_heads[c]!r}")


def check_party(app):
    frames = [p for p in find(app, pyatspi.ROLE_PANEL)
              if sorted(c.getRole() for c in children(p)) == sorted([pyatspi.ROLE_TEXT] * 8 + [pyatspi.ROLE_LABEL] * 8)]
    if len(frames) != 1:
        fail(f"expected one party frame of 8 text boxes and 8 labels, found {len(frames)}")
        return
    names = [c.name for c in children(frames[0]) if c.getRole() == pyatspi.ROLE_TEXT]
    # A box without a name of its own is given the frame's title by Qt: that
    # tells the listener nothing about which slot it is.
    if frames[0].name in names:
        fail(f"a party box is called only by its frame's title {frames[0].name!r}")
    if len(set(names)) != 8 or not all(names):
        fail(f"the eight party boxes in {frames[0].name!r} have {len(set(n for n in names if n))} different names: "
             f"{sorted(set(names))}")


def read_tab(app, tab_index):
    """Brings the tab forward and returns its shown focusable controls: {path: (obj, frame)}."""
    tab_list = find(app, pyatspi.ROLE_PAGE_TAB_LIST)[0]
    tab = [c for c in children(tab_list) if c.getRole() == pyatspi.ROLE_PAGE_TAB][tab_index]
    tab.queryAction().doAction(0)
    deadline = time.monotonic() + WAIT_SECONDS
    pane = find(app, pyatspi.ROLE_LAYERED_PANE)[0]
    while True:
        app.clear_cache()
        if pane.getChildAtIndex(tab_index).getState().contains(pyatspi.STATE_SHOWING):
            break
        if time.monotonic() > deadline:
            give_up(f"tab {tab_index} ({tab.name!r}) did not come forward")
        time.sleep(0.1)
    controls = {}
    for o, path, shown, frame in walk(app):
        parent = o.parent
        item = parent is not None and parent.getRole() in (pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST)
        if shown and not item and o.getState().contains(pyatspi.STATE_FOCUSABLE):
            controls[path] = (o, frame)
    return controls


def main():
    pid = int(sys.argv[1])
    app, tables = wait_for_window(pid)
    tab_count = len([c for c in children(find(app, pyatspi.ROLE_PAGE_TAB_LIST)[0])
                     if c.getRole() == pyatspi.ROLE_PAGE_TAB])
    if tab_count != 3:
        fail(f"expected 3 tabs, found {tab_count}")
    controls = {}
    for i in range(tab_count):
        controls.update(read_tab(app, i))

    by_frame = {}
    for path, (o, frame) in controls.items():
        if not o.name:
            fail(f"focusable control without a name in the frame {frame!r}", o, path)
        else:
            by_frame.setdefault((frame, o.name), []).append(path)
    for (frame, name), paths in by_frame.items():
        if len(paths) > 1:
            for path in paths:
                fail(f"name shared by {len(paths)} controls in the frame {frame!r}", controls[path][0], path)
    check_tables(tables)
    check_party(app)

    everything = [o for o, *_ in walk(app)]
    focusable = [o for o in everything if o.getState().contains(pyatspi.STATE_FOCUSABLE)]
    named_controls = sum(1 for o, _ in controls.values() if o.name)
    print(f"accessible objects: {len(everything)}, named: {sum(1 for o in everything if o.name)}")
    print(f"focusable objects (cells and list entries included): {len(focusable)}, "
          f"named: {sum(1 for o in focusable if o.name)}")
    print(f"focusable controls shown on the {tab_count} tabs: {len(controls)}, "
          f"named: {named_controls}/{len(controls)}")
    for f in failures:
        print(f"FAIL: {f}")
    print(f"{len(failures)} failed checks" if failures else "all checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
