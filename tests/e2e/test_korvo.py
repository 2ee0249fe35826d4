"""Journeys through korvo: browsing a loopback site with the address box, a link, the
keyboard, the toolbar and the find bar, the About dialog with the system information
tool, found or not, and the windows' places under a window manager."""

import os
import shutil
import unittest

from journey import Journey, journey, program
from web_pages import PageServer

KORVO = "E2E_KORVO"
SYSINFO = "E2E_SYSINFO"
FIRST_TITLE = "- Korvo"
UNAVAILABLE = "System Information Is Unavailable At This Time"


class Browser:
    """A running korvo: its process, accessible application and main window."""

    def __init__(self, test, executable):
        self.test = test
        ui = test.ui
        self.process = test.desktop.launch([executable])
        self.app = ui.wait_application(self.process.pid, "korvo")
        self.window = ui.wait_window(self.app, FIRST_TITLE, "of the browser")
        self.x_window = ui.x_window(self.process.pid, FIRST_TITLE)
        self.combo = ui.find(self.window, "combo box", "Address")
        self.address = (ui.find_all(self.combo, "text") or [None])[0]
        test.assertIsNotNone(self.address, "the address box has no text field")

    def title(self):
        return self.test.ui.title(self.x_window)

    def address_text(self):
        return self.test.ui.text(self.address)

    def button(self, name):
        return self.test.ui.find(self.window, "push button", name)

    def menu(self, name):
        return self.test.ui.find(self.window, "push button", name)

    def busy_then(self, final, action, server):
        """Runs action, then waits for the title to read "Working..." and after that
        final; returns the titles seen. The wait starts only once action returns, and
        the server answers late enough for the busy title to be seen."""
        seen = []

        def probe():
            title = self.title()
            if not seen or seen[-1] != title:
                seen.append(title)
            return "Working..." in seen and title == final

        action()
        self.test.ui.until(f"the title to read 'Working...' and then {final!r}", probe,
                           seen=lambda: f"titles {seen}, requests {server.requests()}")
        return seen

    def go_to(self, url):
        """Types url into the address box and presses Enter, as a user would."""
        ui = self.test.ui
        ui.click(self.x_window, self.address)
        ui.keys(self.x_window, "ctrl+a")
        ui.type_text(self.x_window, url)
        ui.until(f"the address box to hold {url!r}", lambda: self.address_text() == url,
                 seen=self.address_text)
        ui.keys(self.x_window, "Return")

    def pick_from_list(self, position):
        """Picks the entry at position (0 is the top) of the address box's drop-down
        list with the keyboard: its entries have no names on the accessibility bus."""
        ui = self.test.ui
        ui.click(self.x_window, self.address)
        ui.keys(self.x_window, "alt+Down")
        # The open list is the only part of the box that scrolls. It takes the keyboard
        # when its own window maps, which on a slow machine comes after the list shows
        # on the bus; giving the browser's window the focus again would take it back.
        ui.until("the address list to drop down", lambda: ui.find_all(self.combo, "scroll pane"))
        ui.until("the address list's window to map", lambda: len(ui.x_windows(self.process.pid)) > 1)
        ui.keys_to_grab(*["Down"] * position, "Return")


class KorvoJourneys(Journey):
    @journey
    def test_browse_a_site(self):
        ui = self.ui
        server = PageServer().start()
        self.addCleanup(server.stop)
        browser = Browser(self, program(KORVO))
        self.assertEqual(browser.address_text(), "")
        first, second = server.url("/first.html"), server.url("/second.html")

        # An address typed and entered: busy, then the page's name.
        browser.busy_then("First Page", lambda: browser.go_to(first), server)
        self.assertEqual(server.count("/first.html"), 1)

        self.keyboard_goes_round_the_window(browser)

        # A link followed: the address box follows the page.
        page = ui.find(browser.window, "filler", "Page")
        ui.click(browser.x_window, page)
        ui.until(f"the address box to show {second!r}", lambda: browser.address_text() == second,
                 seen=browser.address_text)
        ui.until("the title 'Second Page'", lambda: browser.title() == "Second Page",
                 seen=browser.title)

        # Back and Forward walk the pages seen.
        ui.press(browser.button("Back"))
        ui.until("Back to show the first page",
                 lambda: browser.title() == "First Page" and browser.address_text() == first,
                 seen=lambda: (browser.title(), browser.address_text()))
        ui.press(browser.button("Forward"))
        ui.until("Forward to show the second page",
                 lambda: browser.title() == "Second Page" and browser.address_text() == second,
                 seen=lambda: (browser.title(), browser.address_text()))

        # Their keys walk them too, and F5 reloads like the button.
        ui.keys(browser.x_window, "alt+Left")
        ui.until("Alt+Left to show the first page", lambda: browser.title() == "First Page",
                 seen=browser.title)
        ui.keys(browser.x_window, "alt+Right")
        ui.until("Alt+Right to show the second page",
                 lambda: browser.title() == "Second Page", seen=browser.title)
        # The reload ends before the list opens: the list is written anew when a load
        # ends, which on a slow machine would come while the next step has it open.
        asked = server.count("/second.html")
        browser.busy_then("Second Page", lambda: ui.keys(browser.x_window, "F5"), server)
        self.assertEqual(server.count("/second.html"), asked + 1, server.requests())

        # The drop-down list holds the addresses shown, the latest on top: picking the
        # entry below it opens the first page again.
        asked = server.count("/first.html")
        browser.busy_then("First Page", lambda: browser.pick_from_list(1), server)
        self.assertEqual(server.count("/first.html"), asked + 1, server.requests())
        self.assertEqual(browser.address_text(), first)

        # Reload asks the server again.
        asked = server.count("/first.html")
        browser.busy_then("First Page", lambda: ui.press(browser.button("Reload")), server)
        self.assertEqual(server.count("/first.html"), asked + 1, server.requests())
        self.assertEqual(browser.address_text(), first)

        # Up and Down in the address box step through the list from the entry shown, the
        # top one: nothing lies above it, and Down opens the page of the entry below.
        asked = server.requests()
        ui.click(browser.x_window, browser.address)
        ui.keys(browser.x_window, "Up")
        ui.holds("Up on the top entry to open nothing", lambda: server.requests() == asked, 1.0,
                 seen=server.requests)
        browser.busy_then("Second Page", lambda: ui.keys(browser.x_window, "Down"), server)
        self.assertEqual(browser.address_text(), second)

        # Stop ends a load that never finishes: the title shows the page still shown.
        browser.go_to(server.url("/hang.html"))
        ui.until("the browser to ask for the hanging page",
                 lambda: server.count("/hang.html") == 1)
        ui.until("the title 'Working...' while the page hangs",
                 lambda: browser.title() == "Working...", seen=browser.title)
        ui.press(browser.button("Stop"))
        ui.until("Stop to show the page's name", lambda: browser.title() == "Second Page",
                 seen=browser.title)
        ui.holds("the title 'Second Page' after Stop", lambda: browser.title() == "Second Page",
                 1.0, seen=browser.title)
        server.release_hanging()

        self.find_in_the_page(browser)

        ui.keys(browser.x_window, "ctrl+w")
        self.wait_exit(browser.process, "korvo")

    def find_in_the_page(self, browser):
        """Ctrl+F opens the find bar, and typing finds as it goes whatever the letter
        case: "s" is the "S" of "Second Page" and the "s" of "first.html". Enter and F3
        go to the next match, Shift with them to the previous one, round and round;
        Escape closes the bar and gives the page the focus back."""
        ui = self.ui
        ui.keys(browser.x_window, "ctrl+f")
        ui.until("the focus in the find bar after Ctrl+F",
                 lambda: ui.focused(browser.window) == ("text", "Find"),
                 seen=lambda: ui.focused(browser.window))
        matches = ui.find(browser.window, "label", "Matches")
        ui.type_text(browser.x_window, "s")
        for keys, shown in ((None, "1 of 2"), ("F3", "2 of 2"), ("F3", "1 of 2"),
                            ("shift+F3", "2 of 2"), ("Return", "1 of 2"),
                            ("shift+Return", "2 of 2")):
            if keys:
                ui.keys(browser.x_window, keys)
            ui.until(f"the find bar to show {shown!r} after {keys or 'typing s'}",
                     lambda: ui.text(matches) == shown, seen=lambda: ui.text(matches))
        ui.type_text(browser.x_window, "z")
        ui.until("the find bar to show that 'sz' is nowhere",
                 lambda: ui.text(matches) == "No matches", seen=lambda: ui.text(matches))
        ui.keys(browser.x_window, "Escape")
        ui.until("Escape to close the find bar and give the page the focus",
                 lambda: ui.focused(browser.window) == ("filler", "Page"),
                 seen=lambda: ui.focused(browser.window))

    def keyboard_goes_round_the_window(self, browser):
        """F6 moves between the address box and the page; Tab past the page's only link
        reaches the address box, Shift+Tab before it the toolbar's last button. The
        focus never stays caught in the page."""
        ui = self.ui
        page, address, search = ("filler", "Page"), ("text", "Address"), ("push button", "Search")

        def focus_on(wanted, after):
            ui.until(f"the focus on the {wanted[1]} {wanted[0]} after {after}",
                     lambda: ui.focused(browser.window) == wanted,
                     seen=lambda: ui.focused(browser.window), timeout=10)

        ui.keys(browser.x_window, "F6")
        focus_on(page, "F6 in the address box")
        ui.keys(browser.x_window, "Tab", "Tab")
        focus_on(address, "Tab on the page's last link")
        ui.keys(browser.x_window, "F6")
        focus_on(page, "F6 in the address box")
        ui.keys(browser.x_window, "shift+Tab", "shift+Tab")
        focus_on(search, "Shift+Tab on the page's first link")
        ui.keys(browser.x_window, "F6", "F6")
        focus_on(address, "F6 twice from the toolbar")

    def open_about(self, browser):
        ui = self.ui
        focus_events = ui.record_focus_events()
        ui.press(browser.menu("Info"))
        about = ui.wait_window(browser.app, "Info", "'Info' (the About dialog)")
        # A screen reader announces the dialog as the active window and then OK, which
        # has the focus; the decoration (lines, the layout) is not read out.
        ui.until("the About dialog to be the active window", lambda: ui.is_active(about))
        ui.until("OK to announce that it has the focus",
                 lambda: ("push button", "OK") in focus_events(),
                 seen=focus_events)
        generic = [child.name for child in ui.find_all(about, "filler")]
        self.assertEqual(generic, [], "the About dialog publishes parts as generic objects")
        self.assertTrue(ui.find_all(about, "label", "Korvo"), "the About dialog names no 'Korvo'")
        versions = [ui.text(label) for label in ui.find_all(about, "label")
                    if ui.text(label) == "0.1.0"]
        self.assertEqual(versions, ["0.1.0"], "the About dialog shows no version 0.1.0")
        return about

    @journey
    def test_about_and_system_information(self):
        ui = self.ui
        browser = Browser(self, program(KORVO))

        about = self.open_about(browser)
        # Esc closes the dialog; Info opens it again, and a second Info adds none.
        about_x = ui.x_window(browser.process.pid, "Info")
        ui.keys(about_x, "Escape")
        ui.wait_window_gone(browser.app, "Info")
        # A screen reader that still counts the closed dialog asks for it by its index.
        browser.app.getChildAtIndex(1)
        ui.holds("korvo to live on after a question for the closed dialog",
                 lambda: browser.process.poll() is None, 0.5)
        about = self.open_about(browser)
        ui.press(browser.menu("Info"))
        ui.holds("exactly one About dialog", lambda: len(ui.windows(browser.app, "Info")) == 1,
                 0.5, seen=lambda: [w.name for w in ui.windows(browser.app)])

        # System Info starts the tool that the registry names.
        ui.press(ui.find(about, "push button", "System Info..."))
        tool = program(SYSINFO)
        pids = ui.until("the system information tool to start",
                        lambda: self.desktop.processes_of(tool))
        sysinfo = ui.wait_application(pids[0], "the system information tool")
        report_window = ui.wait_window(sysinfo, "System Information")
        report = ui.find(report_window, "text", "System information report")
        ui.until("the system information report to show text", lambda: ui.text(report).strip(),
                 seen=lambda: ui.text(report))
        self.close_window(report_window)
        ui.until("the system information tool to end",
                 lambda: not self.desktop.processes_of(tool))

        # An About dialog left open keeps korvo running after its browser window closed.
        title = browser.title()
        self.close_window(browser.window)
        ui.wait_window_gone(browser.app, title)
        ui.holds("korvo to keep running while the About dialog is open",
                 lambda: browser.process.poll() is None, 1.0)
        ui.press(ui.find(about, "push button", "OK"))
        self.wait_exit(browser.process, "korvo")

    @journey
    def test_system_information_unavailable(self):
        ui = self.ui
        # A copy of korvo in a tree of its own finds that tree's hive, which names no tool.
        tree = self.desktop.path("korvo-tree")
        os.makedirs(os.path.join(tree, "bin"))
        executable = shutil.copy2(program(KORVO), os.path.join(tree, "bin", "korvo"))
        hive = os.path.join(tree, "share", "korvo", "registry")
        os.makedirs(hive)
        with open(os.path.join(hive, "HKEY_LOCAL_MACHINE.reg"), "w") as file:
            file.write("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Korvo]\n")
        browser = Browser(self, executable)

        about = self.open_about(browser)
        ui.press(ui.find(about, "push button", "System Info..."))
        box, message = ui.message_box(browser.app, "Korvo Browser")
        self.assertEqual(message, UNAVAILABLE)
        about_window = ui.x_window(browser.process.pid, "Info")
        self.assertIn(about_window, ui.box_owners(browser.process.pid, "Korvo Browser"),
                      "the box is not kept over the About dialog")
        ui.answer(browser.app, box, "OK")
        self.assertEqual(self.desktop.processes_of(program(SYSINFO)), [])
        # The dialog is still there and still works.
        ui.press(ui.find(about, "push button", "OK"))
        ui.wait_window_gone(browser.app, "Info")

        self.close_window(browser.window)
        self.wait_exit(browser.process, "korvo")


class KorvoUnderAWindowManager(Journey):
    window_manager = True

    def expect_hints_and_place(self, window_id, what, accessible, place, content=None):
        ui = self.ui
        hints = self.desktop.run(["xprop", "-id", window_id, "WM_NORMAL_HINTS"])
        self.assertIn("program specified location", hints, f"{what}: {hints}")
        self.assertIn("window gravity: Static", hints, f"{what}: {hints}")
        ui.until(f"{what} to stand at {place}",
                 lambda: ui.screen_corner(window_id, accessible, content) == place,
                 seen=lambda: ui.screen_corner(window_id, accessible, content), timeout=10)

    @journey
    def test_windows_open_at_their_places(self):
        ui = self.ui
        browser = Browser(self, program(KORVO))
        # The toolbar lies at the client area's top-left corner: 3060 and 3630 twips.
        toolbar = ui.find(browser.window, "filler", "Toolbar")
        self.expect_hints_and_place(browser.x_window, "the browser's client area", toolbar,
                                    (204, 242))

        # The About dialog's icon lies 240 twips right of and below its client area's
        # corner, which is at 2340 and 1935 twips.
        ui.press(browser.menu("Info"))
        about = ui.wait_window(browser.app, "Info", "'Info' (the About dialog)")
        about_x = ui.x_window(browser.process.pid, "Info")
        icon = ui.find(about, "image", "Korvo emblem")
        client = ui.find_all(about, "panel")[0]
        self.expect_hints_and_place(about_x, "the About dialog's client area", icon,
                                    (156 + 16, 129 + 16), content=client)

        ui.press(ui.find(about, "push button", "OK"))
        self.close_window(browser.window)
        self.wait_exit(browser.process, "korvo")


if __name__ == "__main__":
    unittest.main()
