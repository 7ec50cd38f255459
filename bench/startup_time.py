"""Time from starting zeb to its first window, the workbook dialog (everything start-up does
before the user can act: reaching LibreOffice, the about box, the menus), under Xvfb with a
visible LibreOffice: cold with a new profile (a person's very first run), cold with the office
not running, and warm with the office already running. Prints the figures and their ratios."""

import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from xsession import Session  # noqa: E402


def time_to_window(session, zeb):
    t0 = time.monotonic()
    program = session.start(zeb)
    window = session.find_window("^Sheetwright: SELECT AN", timeout=120)
    took = time.monotonic() - t0
    if window is None:
        program.kill()
        raise RuntimeError("no workbook dialog")
    subprocess.run(["xdotool", "windowfocus", "--sync", window], env=session.env)
    subprocess.run(["xdotool", "key", "Escape"], env=session.env)
    program.wait(timeout=30)
    return took


def main():
    zeb, office_ctl = sys.argv[1], sys.argv[2]
    runs = int(os.environ.get("ZEB_BENCH_RUNS", "5"))
    session = Session(os.path.join(os.path.dirname(zeb), "..", "artefacts"), office_ctl)
    try:
        first = time_to_window(session, zeb)
        cold = []
        for _ in range(max(1, runs // 2)):
            session.end_office()
            cold.append(time_to_window(session, zeb))
        warm = [time_to_window(session, zeb) for _ in range(runs)]
    finally:
        session.close()
    w = statistics.median(warm)
    c = statistics.median(cold)
    print("start to the workbook dialog, seconds (median)")
    print("  cold, new profile        %7.3f" % first)
    print("  cold, office not running %7.3f   (%d runs)" % (c, len(cold)))
    print("  warm, office running     %7.3f   (%d runs, min %.3f, max %.3f)" % (w, len(warm), min(warm), max(warm)))
    print("ratios: cold/warm %.1fx, new-profile/warm %.1fx" % (c / w, first / w))


if __name__ == "__main__":
    main()
