"""The file manager journey: folders opened by double-click, one file copied to two
folders, refused in its own folder, cut and moved, deleted after No and Yes, and the
folders walked back and forward, then the same commands by key, the context menus,
Rename and New Folder, and folders that another program makes and removes; every step
checked on screen and on disk."""

import os
import shutil
import unittest

import pyatspi

from journey import Journey, journey, program

TAVVEL = "E2E_TAVVEL"
CONTENT = b"quarterly figures\n"
FOLDERS = ("e2e-source", "e2e-second", "e2e-third", "e2e-fourth")


def snapshot(root):
    """Every file below root: relative path -> (content, modification time)."""
    files = {}
    for folder, _, names in os.walk(root):
        for name in names:
            path = os.path.join(folder, name)
            with open(path, "rb") as file:
                files[os.path.relpath(path, root)] = (file.read(), os.stat(path).st_mtime_ns)
    return files


def contents(files):
    return {path: content for path, (content, _) in files.items()}


class FileManager:
    """A running tavvel: its process, accessible application, window and controls."""

    def __init__(self, test, folder):
        self.test = test
        ui = test.ui
        self.process = test.desktop.launch([program(TAVVEL)], cwd=folder)
        self.app = ui.wait_application(self.process.pid, "tavvel")
        self.window = ui.wait_window(self.app, "File Manager")
        self.x_window = ui.x_window(self.process.pid, "File Manager")
        self.folders = ui.find(self.window, "list", "Folders")
        self.files = ui.find(self.window, "list", "Files")
        self.path_box = ui.find(self.window, "text", "File path")
        self.folder = folder

    def path_text(self):
        return self.test.ui.text(self.path_box)

    def file_names(self):
        return sorted(self.test.ui.row_texts(self.files))

    def wait_listing(self, folder, why):
        """Waits until the file list shows exactly the files in folder on disk."""
        def shows_folder():
            on_disk = sorted(n for n in os.listdir(folder)
                             if os.path.isfile(os.path.join(folder, n)))
            return self.file_names() == on_disk

        self.test.ui.until(f"the file list to show the files of {folder} ({why})", shows_folder,
                           seen=lambda: f"file list {self.file_names()}, "
                                        f"on disk {sorted(os.listdir(folder))}")

    def open_folder(self, path):
        """Double-clicks the folder list's row of path (a subfolder or the parent)."""
        ui = self.test.ui
        name = os.path.basename(path)
        rows = [row for text, row in ui.rows(self.folders) if text == name]
        if not rows:
            ui.fail(f"no row {name!r} in the folder list", [str(ui.row_texts(self.folders))])
        ui.click(self.x_window, rows[-1], double=True)
        self.folder = path
        self.wait_listing(path, f"after opening {name!r}")
        self.test.assertEqual(self.path_text(), "", "opening a folder leaves the path box filled")

    def select_file(self, name):
        ui = self.test.ui
        row = ui.until(f"the file {name!r} in the file list",
                       lambda: ([r for text, r in ui.rows(self.files) if text == name] or [None])[0],
                       seen=self.file_names)
        ui.click(self.x_window, row)
        expected = os.path.join(self.folder, name)
        ui.until(f"the path box to show {expected!r}", lambda: self.path_text() == expected,
                 seen=self.path_text)

    def folder_rows(self):
        return self.test.ui.row_texts(self.folders)

    def wait_folder_row(self, name, shown, why, timeout=None):
        """Waits until the folder list shows a row name, or shows none if not shown."""
        self.test.ui.until(f"the folder list {'to show' if shown else 'to drop'} {name!r} "
                           f"({why})", lambda: (name in self.folder_rows()) == shown,
                           timeout=timeout, seen=self.folder_rows)

    def pick_from_menu(self, keys, item, access_key):
        """Opens a list's context menu by keys and picks item by its access key."""
        ui = self.test.ui
        ui.keys(self.x_window, keys)

        def enabled():
            return [m for m in ui.find_all(self.window, "menu item", item)
                    if m.getState().contains(pyatspi.STATE_VISIBLE)
                    and m.getState().contains(pyatspi.STATE_SENSITIVE)]

        ui.until(f"the menu item {item!r}, enabled, after {keys}", enabled)
        # The menu has the keyboard now; focusing the window would close it.
        self.test.desktop.run(["xdotool", "key", access_key])

    def answer_name(self, title, expected, keys):
        """Waits for the name dialog, checks the name it offers and answers by keys."""
        ui = self.test.ui
        dialog = ui.wait_window(self.app, title)
        entry = ui.find(dialog, "text", "Name")
        self.test.assertEqual(ui.text(entry), expected, f"the name the {title!r} dialog offers")
        ui.keys(ui.x_window(self.process.pid, title), *keys)
        ui.wait_window_gone(self.app, title)

    def press(self, button):
        self.test.ui.press(self.test.ui.find(self.window, "push button", button))

    def expect_box(self, title, message, answer="OK"):
        """Waits for the message box, checks its text (a str, or a prefix in a tuple)
        and that it belongs to the window (transient for it, also right after another
        box), and answers it."""
        ui = self.test.ui
        box, text = ui.message_box(self.app, title)
        self.test.assertEqual(ui.box_owners(self.process.pid, title), [self.x_window],
                              f"the {title!r} box is not kept over the window")
        # A window manager gives a new box the focus, so none of the program's windows
        # has it for a moment once the box has closed.
        ui.focus(ui.x_window(self.process.pid, title))
        if isinstance(message, tuple):
            self.test.assertTrue(text.startswith(message[0]), f"{title!r} box says {text!r}")
        else:
            self.test.assertEqual(text, message, f"the {title!r} box")
        ui.answer(self.app, box, answer)
        return text


class TavvelJourneys(Journey):
    @journey
    def test_copy_move_delete_and_walk_back(self):
        ui = self.ui
        top = self.desktop.path("files")
        source, second, third, fourth = (os.path.join(top, name) for name in FOLDERS)
        for folder in (top, source, second, third, fourth):
            os.makedirs(folder, exist_ok=True)
            # A file of each folder's own tells the folders apart in the file list.
            with open(os.path.join(folder, f"in-{os.path.basename(folder)}.txt"), "w") as marker:
                marker.write(folder)
        with open(os.path.join(source, "report.txt"), "wb") as file:
            file.write(CONTENT)
        report = os.path.join("e2e-source", "report.txt")

        fm = FileManager(self, top)
        fm.wait_listing(top, "at start, in the folder it was started from")

        # Open a folder, select a file, see its path.
        fm.open_folder(source)
        fm.select_file("report.txt")

        # Copy, then Paste in a second and a third folder: copied each time.
        fm.press("Copy")
        fm.expect_box("Copy", "File copied to internal clipboard.")
        before = contents(snapshot(top))
        for target in (second, third):
            fm.open_folder(top)
            fm.open_folder(target)
            fm.press("Paste")
            fm.expect_box("Success", "File pasted successfully.")
            before[os.path.relpath(os.path.join(target, "report.txt"), top)] = CONTENT
            self.assertEqual(contents(snapshot(top)), before, f"after Paste in {target}")
            fm.wait_listing(target, "after Paste")
            self.assertEqual(fm.path_text(), "")

        # Paste into the source's own folder is refused and changes nothing on disk.
        fm.open_folder(top)
        fm.open_folder(source)
        unchanged = snapshot(top)
        fm.press("Paste")
        fm.expect_box("Paste Error", ("Error pasting file: ",))
        self.assertEqual(snapshot(top), unchanged, "a refused Paste changed the disk")

        # Cut and Paste moves the file and empties the clipboard.
        fm.select_file("report.txt")
        fm.press("Cut")
        fm.expect_box("Cut", "File cut to internal clipboard.")
        self.assertEqual(snapshot(top), unchanged, "Cut alone changed the disk")
        fm.open_folder(top)
        fm.open_folder(fourth)
        fm.press("Paste")
        fm.expect_box("Success", "File pasted successfully.")
        moved = contents(unchanged)
        moved[os.path.join("e2e-fourth", "report.txt")] = moved.pop(report)
        self.assertEqual(contents(snapshot(top)), moved, "after Paste of the cut file")
        fm.wait_listing(fourth, "after Paste of the cut file")
        fm.press("Paste")
        fm.expect_box("Paste", "Clipboard is empty. Copy or Cut a file first.")

        # Delete: No leaves everything as it was; Yes deletes the file.
        fm.select_file("report.txt")
        unchanged = snapshot(top)
        fm.press("Delete")
        fm.expect_box("Confirm Delete", "Are you sure you want to permanently delete report.txt?",
                      answer="No")
        ui.holds("no further message after No",
                 lambda: [w.name for w in ui.windows(fm.app)] == ["File Manager"], 1.0,
                 seen=lambda: [w.name for w in ui.windows(fm.app)])
        self.assertEqual(snapshot(top), unchanged, "Delete answered No changed the disk")
        self.assertEqual(fm.path_text(), os.path.join(fourth, "report.txt"))
        fm.press("Delete")
        fm.expect_box("Confirm Delete", "Are you sure you want to permanently delete report.txt?",
                      answer="Yes")
        fm.expect_box("Deleted", "File deleted.")
        del moved[os.path.join("e2e-fourth", "report.txt")]
        self.assertEqual(contents(snapshot(top)), moved, "after Delete answered Yes")
        fm.wait_listing(fourth, "after Delete")
        self.assertEqual(fm.path_text(), "")

        # Back and Forward walk the folders opened before.
        for button, folder in (("Back", top), ("Back", source), ("Forward", top),
                               ("Forward", fourth)):
            fm.press(button)
            fm.wait_listing(folder, f"after {button}")

        # The same commands by key on the file list: Ctrl+C, Backspace to the parent,
        # Ctrl+V, a letter typed ahead, Delete, and Alt+Left back.
        fm.select_file("in-e2e-fourth.txt")
        ui.keys(fm.x_window, "ctrl+c")
        fm.expect_box("Copy", "File copied to internal clipboard.")
        ui.keys(fm.x_window, "BackSpace")
        fm.folder = top
        fm.wait_listing(top, "after Backspace")
        fm.select_file("in-files.txt")
        ui.keys(fm.x_window, "ctrl+v")
        fm.expect_box("Success", "File pasted successfully.")
        copied = os.path.join(top, "in-e2e-fourth.txt")
        self.assertTrue(os.path.isfile(copied), "Ctrl+V pasted nothing")
        fm.wait_listing(top, "after Ctrl+V")
        fm.select_file("in-files.txt")
        ui.keys(fm.x_window, "i")
        ui.until("the path box to show the file typed ahead", lambda: fm.path_text() == copied,
                 seen=fm.path_text)
        ui.keys(fm.x_window, "Delete")
        fm.expect_box("Confirm Delete",
                      "Are you sure you want to permanently delete in-e2e-fourth.txt?",
                      answer="Yes")
        fm.expect_box("Deleted", "File deleted.")
        self.assertFalse(os.path.exists(copied), "Delete by key left the file")
        fm.select_file("in-files.txt")
        ui.keys(fm.x_window, "alt+Left")
        fm.wait_listing(fourth, "after Alt+Left")
        fm.folder = fourth
        fm.select_file("in-e2e-fourth.txt")
        ui.keys(fm.x_window, "alt+Right")
        fm.folder = top
        fm.wait_listing(top, "after Alt+Right")

        # New Folder by Ctrl+Shift+N: the folder is made and shows in the folder list.
        fm.select_file("in-files.txt")
        ui.keys(fm.x_window, "ctrl+shift+n")
        fm.answer_name("New Folder", "New Folder", ["ctrl+a", "e", "2", "e", "minus", "m", "a",
                                                    "d", "e", "Return"])
        made = os.path.join(top, "e2e-made")
        ui.until("the new folder on disk", lambda: os.path.isdir(made))
        fm.wait_folder_row("e2e-made", True, "after New Folder")

        # Folders another program makes and removes come and go in the folder list.
        outside = os.path.join(top, "e2e-outside")
        os.mkdir(outside)
        fm.wait_folder_row("e2e-outside", True, "made by another program", timeout=3)
        os.rmdir(outside)
        fm.wait_folder_row("e2e-outside", False, "removed by another program", timeout=3)

        # Enter on a folder typed ahead opens it; the folder list's menu pastes there.
        # Tab goes from the file list to the folder list.
        ui.keys(fm.x_window, "Tab")
        ui.type_text(fm.x_window, "e2e-m")
        ui.keys(fm.x_window, "Return")
        fm.folder = made
        fm.wait_listing(made, "after Enter on the folder list")
        fm.pick_from_menu("Menu", "Paste", "p")
        fm.expect_box("Success", "File pasted successfully.")
        fm.wait_listing(made, "after Paste from the folder list's menu")

        # Rename by F2: Escape leaves the name; a taken name is refused.
        fm.select_file("in-e2e-fourth.txt")
        ui.keys(fm.x_window, "F2")
        fm.answer_name("Rename", "in-e2e-fourth.txt", ["Escape"])
        with open(os.path.join(made, "taken.txt"), "w") as taken:
            taken.write("taken")
        fm.wait_listing(made, "after another program wrote taken.txt")
        fm.select_file("in-e2e-fourth.txt")
        ui.keys(fm.x_window, "F2")
        fm.answer_name("Rename", "in-e2e-fourth.txt", ["ctrl+a", "t", "a", "k", "e", "n",
                                                       "period", "t", "x", "t", "Return"])
        fm.expect_box("Rename Error", "Error renaming file: File already exists")
        with open(os.path.join(made, "taken.txt")) as taken:
            self.assertEqual(taken.read(), "taken", "a refused Rename replaced a file")

        # A right click selects the file under it and opens the menu, whose Copy copies
        # it; Ctrl+X cuts it.
        fm.select_file("taken.txt")
        row = [r for text, r in ui.rows(fm.files) if text == "in-e2e-fourth.txt"][0]
        x, y = ui.screen_point(fm.x_window, row)
        self.desktop.run(["xdotool", "mousemove", str(x), str(y), "click", "3"])
        fourth_copy = os.path.join(made, "in-e2e-fourth.txt")
        ui.until("the right-clicked file selected", lambda: fm.path_text() == fourth_copy,
                 seen=fm.path_text)
        ui.until("the file list's menu after a right click",
                 lambda: ui.find_all(fm.window, "menu item", "Copy"))
        self.desktop.run(["xdotool", "key", "c"])
        fm.expect_box("Copy", "File copied to internal clipboard.")
        ui.keys(fm.x_window, "ctrl+x")
        fm.expect_box("Cut", "File cut to internal clipboard.")

        # Rename from the menu: the file stays selected under its new name, and the
        # clipboard follows it.
        fm.pick_from_menu("shift+F10", "Rename", "r")
        fm.answer_name("Rename", "in-e2e-fourth.txt", ["ctrl+a", "r", "e", "n", "a", "m", "e",
                                                       "d", "period", "t", "x", "t", "Return"])
        renamed = os.path.join(made, "renamed.txt")
        ui.until("the file renamed on disk",
                 lambda: sorted(os.listdir(made)) == ["renamed.txt", "taken.txt"],
                 seen=lambda: sorted(os.listdir(made)))
        ui.until("the renamed file to stay selected", lambda: fm.path_text() == renamed,
                 seen=fm.path_text)

        # Alt+Up to the parent, Paste from the file list's menu moves the renamed file.
        ui.keys(fm.x_window, "alt+Up")
        fm.folder = top
        fm.wait_listing(top, "after Alt+Up")
        fm.select_file("in-files.txt")
        fm.pick_from_menu("Menu", "Paste", "p")
        fm.expect_box("Success", "File pasted successfully.")
        self.assertEqual(sorted(os.listdir(made)), ["taken.txt"], "the cut file was not moved")
        with open(os.path.join(top, "renamed.txt")) as moved_file:
            self.assertEqual(moved_file.read(), fourth,
                             "the pasted file is not the renamed one")

        # F5 reads what no change in the folder tells: a link whose target turned from a
        # file into a folder moves from the file list to the folder list.
        elsewhere = self.desktop.path("elsewhere")
        os.makedirs(elsewhere)
        with open(os.path.join(elsewhere, "target"), "w") as target:
            target.write("a file for now")
        os.symlink(os.path.join(elsewhere, "target"), os.path.join(top, "e2e-link"))
        fm.wait_listing(top, "after another program made a link")
        os.remove(os.path.join(elsewhere, "target"))
        os.mkdir(os.path.join(elsewhere, "target"))
        fm.select_file("in-files.txt")
        ui.keys(fm.x_window, "F5")
        fm.wait_listing(top, "after F5")
        fm.wait_folder_row("e2e-link", True, "after F5")
        self.assertEqual(fm.path_text(), os.path.join(top, "in-files.txt"),
                         "F5 lost the selection")
        os.remove(os.path.join(top, "e2e-link"))
        shutil.rmtree(elsewhere)

        self.close_window(fm.window)
        self.wait_exit(fm.process, "tavvel")


if __name__ == "__main__":
    unittest.main()
