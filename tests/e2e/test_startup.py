"""Journeys through the command lines: korvo started with addresses opens a window on
each, and a second korvo started with one while the first runs is a process of its own;
tavvel started with a folder opens its lists there; and a cookie a site set in one run
of korvo goes back to it in the next."""

import os
import unittest

from journey import Journey, journey, program
from web_pages import COOKIE, PageServer

KORVO = "E2E_KORVO"
TAVVEL = "E2E_TAVVEL"


class StartupJourneys(Journey):
    def address_text(self, window):
        combo = self.ui.find(window, "combo box", "Address")
        return self.ui.text(self.ui.find_all(combo, "text")[0])

    @journey
    def test_korvo_opens_each_address(self):
        ui = self.ui
        server = PageServer(delay=0).start()
        self.addCleanup(server.stop)
        first, second = server.url("/first.html"), server.url("/second.html")

        running = self.desktop.launch([program(KORVO), first, second])
        app = ui.wait_application(running.pid, "korvo")
        windows = [ui.wait_window(app, title) for title in ("First Page", "Second Page")]
        self.assertEqual([self.address_text(window) for window in windows], [first, second])

        # A second start while the first runs opens its page in a process of its own.
        later = self.desktop.launch([program(KORVO), first])
        later_app = ui.wait_application(later.pid, "korvo")
        windows.append(ui.wait_window(later_app, "First Page"))
        self.assertNotEqual(later.pid, running.pid)
        self.assertIsNone(running.poll(), "the first korvo ended when the second started")
        self.assertEqual(server.count("/first.html"), 2, server.requests())
        self.assertEqual(server.count("/second.html"), 1, server.requests())

        for window in windows:
            self.close_window(window)
        self.wait_exit(running, "the first korvo")
        self.wait_exit(later, "the second korvo")

    @journey
    def test_korvo_keeps_cookies_between_runs(self):
        ui = self.ui
        server = PageServer(delay=0).start()
        self.addCleanup(server.stop)
        for run in ("first", "second"):
            process = self.desktop.launch([program(KORVO), server.url("/cookie.html")])
            app = ui.wait_application(process.pid, "korvo")
            self.close_window(ui.wait_window(app, "Cookie Page"))
            self.wait_exit(process, f"the {run} korvo")
        self.assertEqual(server.cookies(), [None, COOKIE])
        # Kept in the user's data folder, here the desktop's own.
        self.assertTrue(os.path.isfile(self.desktop.path("data", "korvo", "cookies.sqlite")))

    @journey
    def test_tavvel_opens_the_folder_given(self):
        ui = self.ui
        folder = self.desktop.path("given")
        os.makedirs(os.path.join(folder, "inner"))
        with open(os.path.join(folder, "given.txt"), "wb") as file:
            file.write(b"here\n")

        process = self.desktop.launch([program(TAVVEL), folder])
        app = ui.wait_application(process.pid, "tavvel")
        window = ui.wait_window(app, "File Manager")
        files = ui.find(window, "list", "Files")
        folders = ui.find(window, "list", "Folders")
        ui.until("the file list to show the folder given",
                 lambda: ui.row_texts(files) == ["given.txt"], seen=lambda: ui.row_texts(files))
        ui.until("the folder list to show the folder given and its subfolder",
                 lambda: ui.row_texts(folders)[-2:] == ["given", "inner"],
                 seen=lambda: ui.row_texts(folders))

        self.close_window(window)
        self.wait_exit(process, "tavvel")


if __name__ == "__main__":
    unittest.main()
