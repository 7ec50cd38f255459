"""The real zeb under Xvfb shows its main window "ZEB" and ends with 0 when it is closed."""

import sys

from xsession import Session


def main():
    zeb, artefacts = sys.argv[1], sys.argv[2]
    session = Session(artefacts)
    failures = []
    try:
        program = session.start(zeb)
        window = session.find_window("^ZEB$", timeout=90)
        if window is None:
            failures.append("no window titled ZEB appeared")
        else:
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
