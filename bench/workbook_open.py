"""From Return in the workbook dialog to ZEB's main window, on one warm visible LibreOffice
under Xvfb, against the bare typed C++ client (minimal_client) and the Python-UNO script doing
the same calls: each a fresh process, interleaved, for workbooks of 3 and 1,000 sheets.

ZEB is timed from X events: the Return key is sent through XTEST and the clock stops when the
server reports the main window mapped. The clients time themselves from their load call to the
last sheet held. ZEB is timed twice a round: the path confirmed as soon as the dialog has settled
after the typing (0.3 s), and after 3 s in the dialog, as a person who reads it first.

Usage: workbook_open.py ZEB OFFICE_CTL MINIMAL_CLIENT [ROUNDS]"""

import os
import select
import statistics
import subprocess
import sys
import time

from Xlib import X, XK, display
from Xlib.ext import xtest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from xsession import Session  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
DIALOG = "^Sheetwright: SELECT AN"


def make_workbook(pipe, path, sheets):
    """Run in a process of its own: the office stores a workbook of `sheets` sheets."""
    import uno
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    remote = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
    desktop = remote.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", remote)
    hidden = uno.createUnoStruct("com.sun.star.beans.PropertyValue")
    hidden.Name, hidden.Value = "Hidden", True
    doc = desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0, (hidden,))
    for i in range(1, sheets):
        doc.Sheets.insertNewByName("S%d" % i, i)
    doc.storeToURL(uno.systemPathToFileUrl(path), ())
    doc.close(True)
    sys.stdout.flush()
    os._exit(0)


class MapWatch:
    """The X server's map events for top-level windows, read as they come."""

    def __init__(self, name):
        self.d = display.Display(name)
        self.root = self.d.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.d.sync()

    def press_return(self):
        code = self.d.keysym_to_keycode(XK.string_to_keysym("Return"))
        xtest.fake_input(self.d, X.KeyPress, code)
        xtest.fake_input(self.d, X.KeyRelease, code)
        self.d.flush()

    def drain(self):
        while self.d.pending_events():
            self.d.next_event()

    def wait_for_map(self, title, timeout):
        """The time a top-level window titled `title` is reported mapped, and its id."""
        end = time.monotonic() + timeout
        while True:
            while self.d.pending_events():
                event = self.d.next_event()
                if event.type == X.MapNotify:
                    at = time.monotonic()
                    try:
                        name = event.window.get_wm_name()
                    except Exception:
                        name = None
                    if name == title:
                        return at, event.window.id
            left = end - time.monotonic()
            if left <= 0:
                return None, None
            select.select([self.d.fileno()], [], [], left)

    def close(self):
        self.d.close()


def zeb_run(session, watch, zeb, path, pause=0.3):
    program = session.start(zeb)
    dialog = session.find_window(DIALOG, timeout=60)
    if dialog is None:
        program.kill()
        raise RuntimeError("no workbook dialog")
    subprocess.run(["xdotool", "windowfocus", "--sync", dialog], env=session.env, check=True)
    subprocess.run(["xdotool", "type", "--delay", "5", path], env=session.env, check=True)
    time.sleep(pause)  # the dialog settles after the typing: its completer, its list
    watch.drain()
    t0 = time.monotonic()
    watch.press_return()
    mapped, main = watch.wait_for_map("ZEB", 120)
    if mapped is None:
        program.kill()
        raise RuntimeError("no main window")
    session.close_window(main)
    program.wait(timeout=60)
    return mapped - t0


def client_run(command, env):
    out = subprocess.run(command, env=env, capture_output=True, text=True, timeout=300).stdout.split()
    return float(out[0])


def ratio(a, b):
    return a / b if b else float("nan")


def main():
    zeb, office_ctl, minimal = sys.argv[1:4]
    rounds = int(sys.argv[4]) if len(sys.argv) > 4 else int(os.environ.get("ZEB_BENCH_RUNS", "15"))
    session = Session(os.path.join(os.path.dirname(zeb), "..", "artefacts"), office_ctl)
    watch = None
    try:
        # Start the office once (ZEB starts it; the dialog is cancelled): everything below is warm.
        program = session.start(zeb)
        dialog = session.find_window(DIALOG, timeout=120)
        subprocess.run(["xdotool", "windowfocus", "--sync", dialog], env=session.env)
        subprocess.run(["xdotool", "key", "Escape"], env=session.env)
        program.wait(timeout=60)
        pipe = session.env["ZEB_OFFICE_PIPE"]
        watch = MapWatch(session.display)
        rows = []
        for sheets in (3, 1000):
            path = os.path.join(session.root, "sheets_%d.ods" % sheets)
            subprocess.run(["/usr/bin/python3", __file__, "--make", pipe, path, str(sheets)],
                           env=session.env, check=True, timeout=300)
            url = "file://" + path
            py = ["/usr/bin/python3", os.path.join(HERE, "python_client.py"), pipe, url, "1"]
            zeb_run(session, watch, zeb, path)  # the first load of a file is slower for everyone
            z, s, c, p = [], [], [], []
            for _ in range(rounds):
                z.append(zeb_run(session, watch, zeb, path))
                c.append(client_run([minimal, pipe, url, "1"], session.env))
                s.append(zeb_run(session, watch, zeb, path, 3.0))
                p.append(client_run(py, session.env))
            rows.append((sheets, statistics.median(z), statistics.median(s), statistics.median(c),
                         statistics.median(p), min(z + s), max(z + s)))
    finally:
        if watch:
            watch.close()
        session.close()

    print("Return in the workbook dialog to ZEB's main window mapped (X events), the path confirmed at once")
    print("(0.3 s after the typing) and after 3 s in the dialog, against the bare C++ client and Python-UNO")
    print("from their load call to the last sheet held; seconds, median of %d interleaved fresh processes" % rounds)
    print("on one warm visible office")
    print("%7s | %8s %8s %8s %8s | %8s %8s %7s | %15s" % ("sheets", "ZEB", "ZEB 3 s", "C++", "Python", "ZEB/C++",
                                                         "3 s/C++", "Py/C++", "ZEB min-max"))
    for sheets, z, s, c, p, lo, hi in rows:
        print("%7d | %8.4f %8.4f %8.4f %8.4f | %7.2fx %7.2fx %6.2fx | %7.4f-%.4f" % (
            sheets, z, s, c, p, ratio(z, c), ratio(s, c), ratio(p, c), lo, hi))
    print("targets: ZEB/C++ at most 1.25x (3 sheets) and 1.1x (1,000 sheets), at once and after 3 s")


if __name__ == "__main__":
    if len(sys.argv) == 5 and sys.argv[1] == "--make":
        make_workbook(sys.argv[2], sys.argv[3], int(sys.argv[4]))
    main()
