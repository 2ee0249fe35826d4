"""Drives programs as an assistive technology and a user would: finds, reads and
presses controls by their accessible names over the accessibility bus (pyatspi), and
sends real key presses and clicks (xdotool) where the accessibility bus cannot act.

Import this module only once the journey's Desktop has started: the accessibility
library connects to the bus named in the environment when it is first loaded.

What GTK 4.8 publishes, and how this module reads it:
- positions come relative to the window (GTK cannot tell where a window is on an X
  screen), so a click adds the X window's own position and its client-side frame;
- a button that carries both an accessible name and a label child is announced as the
  name followed by the label ("Cut Cut", "_OK OK"); names_match accepts that form;
- list rows expose their text only through a child label;
- text is read with the character count as the end offset (-1 returns nothing).
"""

import re
import time

import pyatspi
from gi.repository import GLib


class StepFailed(AssertionError):
    pass


def names_match(name, wanted):
    """True when an accessible name announces wanted."""
    if name == wanted:
        return True
    suffix = " " + wanted
    return name.endswith(suffix) and name[: -len(suffix)].replace("_", "") == wanted


def _ere_escape(text):
    return re.sub(r"([.\[\]()*+?{}|^$\\])", r"\\\1", text)


class Ui:
    def __init__(self, desktop, timeout=30):
        self.desktop = desktop
        self.timeout = timeout
        self._failure_shot = None

    # Waiting ------------------------------------------------------------------------

    def until(self, description, probe, timeout=None, seen=None):
        """Polls probe until it returns something true and returns that. On timeout the
        step fails, saying what it waited for and what it saw, with a screenshot."""
        timeout = timeout or self.timeout
        deadline = time.monotonic() + timeout
        last_error = None
        while True:
            try:
                value = probe()
                if value:
                    return value
            except (GLib.Error, RuntimeError, LookupError) as error:
                last_error = error  # an object gone or not there yet: look again
            if time.monotonic() > deadline:
                break
            time.sleep(0.05)
        details = []
        if seen:
            try:
                details.append(f"last seen: {seen()}")
            except (GLib.Error, RuntimeError, LookupError) as error:
                details.append(f"could not read what is on screen: {error}")
        if last_error:
            details.append(f"last error: {last_error}")
        self.fail(f"waited {timeout} s for {description}", details)

    def holds(self, description, probe, duration, seen=None):
        """Fails as soon as probe turns false within duration seconds."""
        deadline = time.monotonic() + duration
        while time.monotonic() < deadline:
            if not probe():
                self.fail(f"expected {description} to hold for {duration} s",
                          [f"last seen: {seen()}"] if seen else [])
            time.sleep(0.05)

    def fail(self, message, details=()):
        shot = self.screenshot(message)
        raise StepFailed("; ".join([message, *details, f"screenshot: {shot}"]))

    def screenshot(self, label):
        self._failure_shot = self.desktop.screenshot(label)
        return self._failure_shot

    @property
    def failure_shot(self):
        return self._failure_shot

    # The accessibility tree --------------------------------------------------------

    @staticmethod
    def application(pid):
        """The running application whose process is pid, or None."""
        desktop = pyatspi.Registry.getDesktop(0)
        desktop.clear_cache()
        for app in desktop:
            if app is not None and app.get_process_id() == pid:
                return app
        return None

    def wait_application(self, pid, what):
        return self.until(f"{what} (pid {pid}) on the accessibility bus",
                          lambda: self.application(pid))

    @staticmethod
    def windows(app, name=None):
        """The application's shown windows, optionally only those named name."""
        app.clear_cache()
        found = []
        for window in app:
            if window is None:
                continue
            states = window.getState()
            if not states.contains(pyatspi.STATE_VISIBLE):
                continue
            if name is None or window.name == name:
                found.append(window)
        return found

    def wait_window(self, app, name, what=None):
        """Waits for the window and checks that it is published as a window (a frame
        or a dialog, not a generic object), so that a screen reader announces it."""
        window = self.until(
            f"the window {what or repr(name)}",
            lambda: (self.windows(app, name) or [None])[0],
            seen=lambda: [w.name for w in self.windows(app)])
        if window.getRoleName() not in ("frame", "dialog"):
            self.fail(f"the window {what or repr(name)} is published as a "
                      f"{window.getRoleName()!r}, not as a window")
        return window

    def wait_window_gone(self, app, name):
        self.until(f"the window {name!r} to close", lambda: not self.windows(app, name),
                   seen=lambda: [w.name for w in self.windows(app)])

    @staticmethod
    def find_all(root, role, name=None):
        """Descendants of root with the role (pyatspi role name; None for any) and, if
        given, a name that announces name, in tree order."""
        found = []

        def walk(node):
            for child in node:
                if child is None:
                    continue
                if (role is None or child.getRoleName() == role) and (
                        name is None or names_match(child.name, name)):
                    found.append(child)
                walk(child)

        root.clear_cache()
        walk(root)
        return found

    def find(self, root, role, name):
        """The first descendant of root with the role and name; fails if none comes."""
        return self.until(f"a {role} named {name!r}",
                          lambda: (self.find_all(root, role, name) or [None])[0])

    @staticmethod
    def focused(root):
        """(role, name) of the object under root that has the keyboard focus, or None."""
        found = [child for child in Ui.find_all(root, None)
                 if child.getState().contains(pyatspi.STATE_FOCUSED)]
        return (found[0].getRoleName(), found[0].name) if found else None

    @staticmethod
    def is_active(window):
        """True when window is the active window, the one that has the keyboard."""
        window.clear_cache()
        return window.getState().contains(pyatspi.STATE_ACTIVE)

    @staticmethod
    def text(accessible):
        text = accessible.queryText()
        return text.getText(0, text.characterCount)

    @staticmethod
    def rows(list_accessible):
        """The list's rows as (text of the row's label, row)."""
        rows = []
        for row in Ui.find_all(list_accessible, "list item"):
            labels = Ui.find_all(row, "label")
            rows.append((labels[0].name if labels else "", row))
        return rows

    @staticmethod
    def row_texts(list_accessible):
        return [text for text, _ in Ui.rows(list_accessible)]

    @staticmethod
    def record_focus_events():
        """Starts recording focus events; returns a function that gives the (role,
        name) of every object that has announced it took the focus so far."""
        seen = []

        def on_event(event):
            if event.detail1:
                seen.append((event.source.getRoleName(), event.source.name))

        pyatspi.Registry.registerEventListener(on_event, "object:state-changed:focused")

        def events():
            context = GLib.MainContext.default()
            while context.iteration(False):
                pass
            return list(seen)

        return events

    def act(self, accessible, action):
        """Runs the named action of accessible (for a button, "click" presses it)."""
        actions = accessible.queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        if action not in names:
            self.fail(f"{accessible.name!r} has no action {action!r}", [f"it has {names}"])
        if not actions.doAction(names.index(action)):
            self.fail(f"{accessible.name!r} refused the action {action!r}")

    def press(self, accessible):
        self.act(accessible, "click")

    # Message boxes ------------------------------------------------------------------

    def message_box(self, app, title):
        """Waits for the message box titled title; returns (box, its message text)."""
        box = self.until(f"a message box titled {title!r}",
                         lambda: ([w for w in self.windows(app, title)
                                   if w.getRoleName() == "dialog"] or [None])[0],
                         seen=lambda: [(w.getRoleName(), w.name) for w in self.windows(app)])
        messages = [label.name for label in self.find_all(box, "label")
                    if label.parent.getRoleName() != "push button"]
        return box, " ".join(messages)

    def answer(self, app, box, button):
        """Presses the box's button and waits until the box has gone."""
        title = box.name
        self.press(self.find(box, "push button", button))
        self.until(f"the message box {title!r} to close",
                   lambda: not [w for w in self.windows(app, title)
                                if w.getRoleName() == "dialog"])

    # The screen ---------------------------------------------------------------------

    def x_window(self, pid, title):
        """The X window of process pid showing title."""
        pattern = "^" + _ere_escape(title) + "$"

        def search():
            out = self.desktop.run(["xdotool", "search", "--all", "--onlyvisible", "--pid",
                                    str(pid), "--name", pattern], check=False)
            ids = out.split()
            return ids[0] if ids else None

        return self.until(f"an X window titled {title!r}", search)

    def box_owners(self, pid, title):
        """The X windows that the visible windows of pid titled title are transient for
        (WM_TRANSIENT_FOR), as xdotool names windows; None for one without an owner."""
        out = self.desktop.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid),
                                "--name", "^" + _ere_escape(title) + "$"], check=False)
        owners = []
        for window_id in out.split():
            prop = self.desktop.run(["xprop", "-id", window_id, "WM_TRANSIENT_FOR"], check=False)
            match = re.search(r"window id # (0x[0-9a-fA-F]+)", prop)
            owners.append(str(int(match.group(1), 16)) if match else None)
        return owners

    def title(self, window_id):
        return self.desktop.run(["xdotool", "getwindowname", window_id]).rstrip("\n")

    def screen_point(self, window_id, accessible):
        """The screen position of the middle of accessible, which lies in window_id."""
        geometry = self.desktop.run(["xdotool", "getwindowgeometry", "--shell", window_id])
        values = dict(line.split("=", 1) for line in geometry.split())
        left, top = int(values["X"]), int(values["Y"])
        frame = self.desktop.run(["xprop", "-id", window_id, "_GTK_FRAME_EXTENTS"], check=False)
        match = re.search(r"=\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)", frame)
        if match:  # a client-side frame: the window's content starts inside it
            left += int(match.group(1))
            top += int(match.group(3))
        extents = accessible.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
        if extents.width <= 0 or extents.height <= 0:
            self.fail(f"{accessible.name!r} has no size on screen")
        return left + extents.x + extents.width // 2, top + extents.y + extents.height // 2

    def screen_corner(self, window_id, accessible, content=None):
        """The screen position of the top-left corner of accessible, shown in the X
        window window_id, whose place the X server gives (xwininfo: also inside a
        window manager's frame). For a window with a title bar of its own, positions
        on the bus start inside the frame GTK draws, as wide on every side; content
        is what fills the window's width inside it."""
        info = self.desktop.run(["xwininfo", "-id", window_id])

        def value(label):
            return int(re.search(label + r":\s+(-?\d+)", info).group(1))

        left, top = value("Absolute upper-left X"), value("Absolute upper-left Y")
        if content is not None:
            inner = content.queryComponent().getExtents(pyatspi.WINDOW_COORDS).width
            frame = (value("Width") - inner) // 2
            left, top = left + frame, top + frame
        extents = accessible.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
        return left + extents.x, top + extents.y

    def click(self, window_id, accessible, double=False):
        x, y = self.screen_point(window_id, accessible)
        # The server takes the move and the click in order, so the click lands where
        # the pointer went; "--sync" would wait in vain when it is there already.
        command = ["xdotool", "mousemove", str(x), str(y), "click"]
        if double:
            command += ["--repeat", "2", "--delay", "80"]
        self.desktop.run(command + ["1"])

    def focus(self, window_id):
        # No window manager runs on the private display, so the test gives the window
        # the keyboard focus itself, as a window manager would on a click.
        self.desktop.run(["xdotool", "windowfocus", "--sync", window_id])

    def keys(self, window_id, *keys):
        self.focus(window_id)
        self.desktop.run(["xdotool", "key", "--clearmodifiers", *keys])

    def keys_to_grab(self, *keys):
        """Presses keys without moving the focus: a popup that has grabbed the keyboard
        gets them."""
        self.desktop.run(["xdotool", "key", "--clearmodifiers", *keys])

    def x_windows(self, pid):
        """The viewable X windows of the process pid."""
        found = self.desktop.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                                 check=False)
        return found.split()

    def type_text(self, window_id, text):
        self.focus(window_id)
        self.desktop.run(["xdotool", "type", "--delay", "15", text])
