"""The real zeb under Xvfb, LibreOffice not yet running: a notice shows while the office
starts and is gone before the main window "ZEB" appears; closing that window ends zeb with 0
and leaves the office running."""

import sys
import time

from xsession import Session


def main():
    zeb, artefacts, office_ctl = sys.argv[1], sys.argv[2], sys.argv[3]
    session = Session(artefacts, office_ctl)
    failures = []
    try:
        program = session.start(zeb)
        notice_seen = False
        window = None
        end = time.monotonic() + 90
        while window is None and time.monotonic() < end and program.poll() is None:
            if not notice_seen and session.find_window("^ZEB - busy$", timeout=0):
                notice_seen = True
                session.screenshot("start_notice.png")
            window = session.find_window("^ZEB$", timeout=0)
        if not notice_seen:
            failures.append("no notice while LibreOffice was starting")
        if window is None:
            failures.append("no window titled ZEB appeared")
        else:
            if session.find_window("^ZEB - busy$", timeout=0):
                failures.append("the notice is still up with the main window")
            session.screenshot("start_window.png")
            session.close_window(window)
        try:
            rc = program.wait(timeout=30)
            if rc != 0:
                failures.append("zeb ended with %d, not 0" % rc)
        except Exception:
            program.kill()
            failures.append("zeb did not end after its window was closed")
        if not session.office_pids():
            failures.append("LibreOffice should keep running after ZEB ends")
    finally:
        session.close()
    for f in failures:
        print("FAIL:", f)
    print("%d passed, %d failed" % (0 if failures else 1, 1 if failures else 0))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
