"""A person's run of the real zeb under Xvfb with a real, visible LibreOffice that is not
running yet: a notice shows while the office starts and is gone when the workbook dialog
comes, before any main window; a path typed into it opens the workbook in a Calc window titled with its
name and brings up the main window; closing the main window closes the workbook, leaves
LibreOffice running and ends zeb with 0. Cancelling the dialog ends zeb with 0 and no window."""

import os
import shutil
import subprocess
import sys
import time

from xsession import Session

DIALOG = "^Sheetwright: SELECT AN"


def type_into(session, window, *keys, text=None):
    subprocess.run(["xdotool", "windowfocus", "--sync", window], env=session.env, check=False)
    if text is not None:
        subprocess.run(["xdotool", "type", "--delay", "10", text], env=session.env, check=True)
    for k in keys:
        subprocess.run(["xdotool", "key", k], env=session.env, check=True)


def wait_for_dialog(session, program, failures, run):
    """The workbook dialog's window, or None (noted as a failure, zeb ended) when it does not come."""
    dialog = session.find_window(DIALOG, timeout=90)
    if dialog is None:
        failures.append("the workbook dialog did not appear (%s)" % run)
        program.kill()
    return dialog


def ended_with_zero(program, failures, after):
    try:
        rc = program.wait(timeout=30)
        if rc != 0:
            failures.append("zeb ended with %d after %s" % (rc, after))
    except subprocess.TimeoutExpired:
        program.kill()
        failures.append("zeb did not end after %s" % after)


def wait_gone(session, title_regex, timeout):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if session.find_window(title_regex, timeout=0) is None:
            return True
        time.sleep(0.1)
    return False


def pixel(path, x, y):
    out = subprocess.run(["convert", path, "-format", "%%[pixel:p{%d,%d}]" % (x, y), "info:"],
                         capture_output=True, text=True).stdout.strip()
    return out


def about_box(session, main, failures, left=880, name="about_box.png"):
    """Help > About shows the box in its colours at its place; its picture button closes it."""
    # With no window manager the windows sit where the program puts them: the menu bar of
    # the main window at the screen's top left, the box 1000 twips down and 6000 twips left
    # of the screen's right edge (1280 px = 19200 twips), i.e. at 880, 67.
    subprocess.run(["xdotool", "mousemove", "--window", main, "88", "10", "click", "1"], env=session.env)
    time.sleep(0.4)
    subprocess.run(["xdotool", "mousemove", "117", "95", "click", "1"], env=session.env)
    time.sleep(0.8)
    shot = session.screenshot(name)
    colour = pixel(shot, left + 3, 167)
    if colour not in ("srgb(214,204,192)", "rgb(214,204,192)"):
        failures.append("the about box is not showing in its colours at %d (found %s)" % (left, colour))
    subprocess.run(["xdotool", "mousemove", str(left + 318), "80", "click", "1"], env=session.env)
    time.sleep(0.6)
    after = session.screenshot(name.replace(".png", "_closed.png"))
    if pixel(after, left + 3, 167) == colour:
        failures.append("the picture button did not close the about box")
    # With no window manager to do it, the main window takes the keyboard back itself; else
    # the next keys would reach Calc.
    if not has_focus(session, main):
        failures.append("the main window does not have the keyboard after the about box closed")


def has_focus(session, window, timeout=2.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        focused = subprocess.run(["xdotool", "getwindowfocus"], env=session.env, capture_output=True,
                                 text=True).stdout.strip()
        if focused == str(window):
            return True
        time.sleep(0.05)
    return False


def wide_screen(zeb, artefacts, office_ctl, source, failures):
    """On a screen wider than 32767 twips the box's left edge is held at 32767 - 6000 twips."""
    session = Session(artefacts, office_ctl, screen="2600x900x24")
    try:
        book = os.path.join(session.root, "wide.ods")
        shutil.copyfile(source, book)
        program = session.start(zeb)
        dialog = wait_for_dialog(session, program, failures, "wide screen")
        if dialog is None:
            return
        type_into(session, dialog, "Return", text=book)
        main = session.find_window("^ZEB$", timeout=60)
        if main is None:
            failures.append("no main window on the wide screen")
            program.kill()
            return
        time.sleep(1.5)
        about_box(session, main, failures, left=round((32767 - 6000) / 15), name="about_wide_screen.png")
        session.close_window(main)
        ended_with_zero(program, failures, "its window was closed on the wide screen")
    finally:
        session.close()


def open_and_close(session, zeb, source, failures):
    book = os.path.join(session.root, "My Book.ods")
    shutil.copyfile(source, book)
    before = open(book, "rb").read()
    program = session.start(zeb)
    notice_seen = False
    dialog = None
    end = time.monotonic() + 90
    while dialog is None and time.monotonic() < end and program.poll() is None:
        if not notice_seen and session.find_window("^ZEB - busy$", timeout=0):
            notice_seen = True
            session.screenshot("start_notice.png")
        dialog = session.find_window(DIALOG, timeout=0)
    if not notice_seen:
        failures.append("no notice while LibreOffice was starting")
    if dialog is None:
        failures.append("the workbook dialog did not appear")
        program.kill()
        return
    if session.find_window("^ZEB - busy$", timeout=0):
        failures.append("the notice is still up with the workbook dialog")
    if session.find_window("^ZEB$", timeout=0):
        failures.append("the main window showed before a workbook was chosen")
    session.screenshot("workbook_dialog.png")
    type_into(session, dialog, "Return", text=book)

    calc = session.find_window(r"^My Book\.ods", timeout=60)
    main = session.find_window("^ZEB$", timeout=30)
    if calc is None:
        failures.append("no Calc window titled with the workbook's name")
    if main is None:
        failures.append("the main window did not appear after the workbook opened")
        program.kill()
        return
    time.sleep(1.5)  # let Calc paint its window for the screenshot
    session.screenshot("workbook_open.png")
    session.screenshot("main_window.png", main)
    about_box(session, main, failures)
    session.close_window(main)
    ended_with_zero(program, failures, "its window was closed")
    if not wait_gone(session, r"^My Book\.ods", 20):
        failures.append("the Calc window of the workbook is still open")
    if not session.office_pids():
        failures.append("LibreOffice should keep running after ZEB ends")
    if os.path.exists(os.path.join(session.root, ".~lock.My Book.ods#")):
        failures.append("the workbook's lock file was left behind")
    if open(book, "rb").read() != before:
        failures.append("the workbook file changed")


def cancel(session, zeb, failures):
    program = session.start(zeb)
    dialog = wait_for_dialog(session, program, failures, "cancel run")
    if dialog is None:
        return
    type_into(session, dialog, "Escape")
    end = time.monotonic() + 30
    while program.poll() is None and time.monotonic() < end:
        if session.find_window("^ZEB$", timeout=0):
            failures.append("the main window showed after a cancel")
            break
        time.sleep(0.05)
    ended_with_zero(program, failures, "a cancel")


def installed_run(zeb, artefacts, office_ctl, program_folder, failures):
    """The installed zeb, started through its bin/ link: the workbook dialog opens in the
    program folder (a name relative to it opens the sample), the sample opens in Calc, the
    about box shows its logo, and Exit ends zeb with 0."""
    session = Session(artefacts, office_ctl)
    try:
        program = session.start(zeb)
        dialog = wait_for_dialog(session, program, failures, "installed")
        if dialog is None:
            return
        session.screenshot("installed_workbook_dialog.png")
        type_into(session, dialog, "Return", text="samples/Sample.ods")
        calc = session.find_window(r"^Sample\.ods", timeout=60)
        main = session.find_window("^ZEB$", timeout=30)
        if calc is None:
            failures.append("the sample in %s did not open in Calc" % program_folder)
        if main is None:
            failures.append("no main window after the sample opened")
            program.kill()
            return
        time.sleep(1.5)
        about_box(session, main, failures, name="installed_about_box.png")
        # The logo sits in the lowest frame, below the description, comment and memory lines.
        logo = pixel(os.path.join(artefacts, "installed_about_box.png"), 880 + 65, 400)
        if logo in ("srgb(214,204,192)", "rgb(214,204,192)", ""):
            failures.append("the about box shows no logo (found %s)" % logo)
        subprocess.run(["xdotool", "mousemove", "--window", main, "128", "10", "click", "1"], env=session.env)
        ended_with_zero(program, failures, "Exit")
        if not wait_gone(session, r"^Sample\.ods", 20):
            failures.append("the Calc window of the sample is still open")
    finally:
        session.close()


def main():
    failures = []
    if sys.argv[1] == "--installed":
        # zeb as a package installs it, or under a prefix made here with cmake --install.
        zeb, artefacts, office_ctl = sys.argv[2:5]
        if zeb.startswith("--prefix="):
            import tempfile
            build = zeb.split("=", 1)[1]
            prefix = tempfile.mkdtemp(prefix="zeb-prefix-")
            subprocess.run(["cmake", "--install", build, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
            zeb = os.path.join(prefix, "bin", "zeb")
            if not os.path.islink(zeb):
                failures.append("bin/zeb is not a link to the program folder")
        folder = os.path.join(os.path.dirname(os.path.realpath(zeb)))
        installed_run(zeb, artefacts, office_ctl, folder, failures)
        if "prefix" in locals():
            shutil.rmtree(prefix, ignore_errors=True)
        for f in failures:
            print("FAIL:", f)
        print("installed run in %s: %s" % (folder, "passed" if not failures else "failed"))
        return 1 if failures else 0

    zeb, artefacts, office_ctl, sample = sys.argv[1:5]
    session = Session(artefacts, office_ctl)
    try:
        open_and_close(session, zeb, sample, failures)
        cancel(session, zeb, failures)
    finally:
        session.close()
    wide_screen(zeb, artefacts, office_ctl, sample, failures)
    for f in failures:
        print("FAIL:", f)
    print("%d passed, %d failed" % (0 if failures else 3, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
