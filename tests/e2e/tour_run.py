"""A person's tour of the dialog service's printing dialogs under Xvfb, with a private print
scheduler: ShowPrinter with another queue chosen and Print pressed makes that queue the
user's default (lpstat -d) with the chosen settings stored (lpoptions -p); page setup
confirmed gives its margins and paper through PageData. Screenshots of both dialogs."""

import os
import subprocess
import sys
import time

from xsession import Session


def keys(session, window, *names):
    subprocess.run(["xdotool", "windowfocus", "--sync", window], env=session.env, check=False)
    for k in names:
        subprocess.run(["xdotool", "key", "--delay", "50", k], env=session.env, check=True)


def next_line(program, failures, what, timeout=30.0):
    """The tour's next line of output, or None (noted as a failure) when none comes in time."""
    import select
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        ready, _, _ = select.select([program.stdout], [], [], 0.2)
        if ready:
            line = program.stdout.readline()
            if line:
                return line.strip()
        if program.poll() is not None:
            break
    failures.append("no output line for %s" % what)
    return None


def main():
    tour, artefacts, cups_ctl = sys.argv[1:4]
    failures = []
    cups = subprocess.Popen([cups_ctl, "Q_A", "Q_B"], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    cups_env = {}
    for line in cups.stdout:
        line = line.strip()
        if line == "ready":
            break
        name, _, value = line.partition("=")
        cups_env[name] = value
    if "CUPS_SERVER" not in cups_env:
        print("FAIL: the private print scheduler did not start")
        return 1
    session = Session(artefacts)
    session.env.update(cups_env)
    for name in ("LPDEST", "PRINTER"):
        session.env.pop(name, None)
    program = subprocess.Popen([tour], env=session.env, stdout=subprocess.PIPE, text=True)
    try:
        main_window = session.find_window("^Dialog service$", timeout=30)
        if main_window is None:
            failures.append("the tour's window did not appear")
            return 1

        # ShowPrinter: the application printer is Q_A; choose Q_B and print.
        keys(session, main_window, "alt+p")
        dialog = session.find_window("^Print$", timeout=30)
        if dialog is None:
            failures.append("the print dialog did not appear")
        else:
            time.sleep(0.3)
            session.screenshot("print_dialog.png", dialog)
            keys(session, dialog, "Down", "Return")
            line = next_line(program, failures, "ShowPrinter") or ""
            print(line)
            if not line.startswith("ShowPrinter -> done application=Q_B") or "dlg_fail=False" not in line:
                failures.append("ShowPrinter did not make Q_B the application printer: " + line)
            default = subprocess.run(["lpstat", "-d"], env=session.env, capture_output=True, text=True).stdout
            if "Q_B" not in default:
                failures.append("lpstat -d does not name Q_B: " + default.strip())
            stored = subprocess.run(["lpoptions", "-p", "Q_B"], env=session.env, capture_output=True, text=True).stdout
            print("lpoptions -p Q_B:", stored.strip())
            for option in ("sides=one-sided", "InputSlot=Auto", "Resolution=600dpi", "orientation-requested=3"):
                if option not in stored:
                    failures.append("lpoptions -p Q_B lacks %s: %s" % (option, stored.strip()))

        # Page setup, turned to landscape from the keyboard, then its figures; the line says
        # the application printer's state after the call.
        keys(session, main_window, "alt+g")
        dialog = session.find_window("^Page Setup$", timeout=30)
        if dialog is None:
            failures.append("the page setup dialog did not appear")
        else:
            time.sleep(0.3)
            session.screenshot("page_setup_dialog.png", dialog)
            # As a person does: a click on "Landscape" (at its place in the dialog).
            subprocess.run(["xdotool", "mousemove", "--window", dialog, "45", "201", "click", "1"], env=session.env, check=True)
            time.sleep(0.2)
            keys(session, dialog, "Return")
            line = next_line(program, failures, "ShowPageSetupDlg") or ""
            print(line)
            if not line.startswith("ShowPageSetupDlg -> 0 application=Q_B orientation=2"):
                failures.append("page setup was not confirmed in landscape: " + line)
            keys(session, main_window, "alt+a")
            line = next_line(program, failures, "PageData") or ""
            print(line)
            if not line.startswith("PageData -> 25.4 25.4 25.4 25.4 297 210 0"):
                failures.append("PageData gave: " + line)
        session.screenshot("tour.png", main_window)
        session.close_window(main_window)
        try:
            program.wait(timeout=20)
        except subprocess.TimeoutExpired:
            failures.append("the tour did not end when its window closed")
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()
        session.close()
        cups.stdin.close()
        cups.wait(timeout=30)
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
