"""The file manager journey: folders opened by double-click, one file copied to two
folders, refused in its own folder, cut and moved, deleted after No and Yes, and the
folders walked back and forward, then the same commands by key; every step checked on
screen and on disk."""

import os
import unittest

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

        self.close_window(fm.window)
        self.wait_exit(fm.process, "tavvel")


if __name__ == "__main__":
    unittest.main()
