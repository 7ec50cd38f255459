"""Exit while the person is still at work in the Calc window ZEB opened, under Xvfb with a real
visible LibreOffice:
- text typed into a cell and not entered (on the first sheet, and on the second) is an unsaved
  change: ZEB asks before closing, and "keep it open" leaves the text in the workbook, the file
  untouched;
- a dialog of LibreOffice's open over the workbook: LibreOffice refuses the close, and ZEB says
  so instead of ending without a word; the workbook and the dialog stay."""

import os
import shutil
import subprocess
import sys
import time

from xsession import Session
from workbook_run import DIALOG, ended_with_zero, type_into, wait_for_dialog

PIPE_ENV = "ZEB_OFFICE_PIPE"


def zeb_windows(session):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^ZEB$"], env=session.env,
                         capture_output=True, text=True).stdout.split()
    return out


def wait_for_box(session, main, timeout=20):
    """A message box of ZEB's (a second window titled ZEB beside the main window), or None."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        others = [w for w in zeb_windows(session) if w != main]
        if others:
            return others[0]
        time.sleep(0.05)
    return None


def open_spreadsheet(session):
    """The spreadsheet open in the session's office, reached over the office's own bridge (as
    another program would), or None."""
    import uno
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    ctx = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % session.env[PIPE_ENV])
    desk = ctx.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", ctx)
    documents = desk.getComponents().createEnumeration()
    while documents.hasMoreElements():
        doc = documents.nextElement()
        if hasattr(doc, "getSheets"):
            return doc
    return None


def cell_text(session, sheet, column, row):
    doc = open_spreadsheet(session)
    return None if doc is None else doc.getSheets().getByIndex(sheet).getCellByPosition(column, row).getString()


def open_workbook(session, zeb, source, name, failures):
    book = os.path.join(session.root, name)
    shutil.copyfile(source, book)
    program = session.start(zeb)
    dialog = wait_for_dialog(session, program, failures, name)
    if dialog is None:
        return None, None, None, book
    type_into(session, dialog, "Return", text=book)
    calc = session.find_window("^" + name.replace(".", r"\."), timeout=60)
    main = session.find_window("^ZEB$", timeout=30)
    if calc is None or main is None:
        failures.append("%s did not open (Calc window %s, main window %s)" % (name, calc, main))
        program.kill()
        return None, None, None, book
    time.sleep(1.5)  # let Calc take keys
    return program, calc, main, book


def choose_exit(session, main):
    subprocess.run(["xdotool", "mousemove", "--window", main, "128", "10", "click", "1"], env=session.env)


def typed_not_entered(session, zeb, source, sheet, failures):
    """Text typed into a cell of sheet `sheet` and not entered; Exit; the question comes; it is
    answered with Escape (keep it open); the text is in the workbook, the file unchanged."""
    name = "typing%d.ods" % sheet
    program, calc, main, book = open_workbook(session, zeb, source, name, failures)
    if program is None:
        return
    before = open(book, "rb").read()
    keys = ["ctrl+Home"] + ["ctrl+Next"] * sheet + ["ctrl+Home", "Down", "Down", "Down", "Down", "Down",
                                                     "Down", "Down", "Down", "Down"]
    subprocess.run(["xdotool", "windowfocus", "--sync", calc], env=session.env, check=False)
    for k in keys:
        subprocess.run(["xdotool", "key", k], env=session.env, check=True)
    subprocess.run(["xdotool", "type", "--delay", "10", "not yet entered"], env=session.env, check=True)
    time.sleep(0.5)
    session.screenshot("typing_sheet%d.png" % sheet)
    choose_exit(session, main)
    box = wait_for_box(session, main)
    if box is None:
        failures.append("no question at Exit with text typed into a cell of sheet %d" % (sheet + 1))
    else:
        session.screenshot("typing_question%d.png" % sheet)
        type_into(session, box, "Escape")
    ended_with_zero(program, failures, "the question was answered (sheet %d)" % (sheet + 1))
    text = cell_text(session, sheet, 0, 9)
    if text != "not yet entered":
        failures.append("the typed text is not in the workbook kept open (sheet %d: %r)" % (sheet + 1, text))
    if session.find_window("^" + name.replace(".", r"\."), timeout=0) is None:
        failures.append("the workbook kept open is no longer in its Calc window")
    if open(book, "rb").read() != before:
        failures.append("the workbook file changed")
    # The kept workbook is closed again, its change discarded, for the next run.
    doc = open_spreadsheet(session)
    if doc is not None:
        doc.close(True)


def dialog_over_workbook(session, zeb, source, failures):
    """Format Cells open over the workbook; Exit: ZEB says LibreOffice kept the workbook open."""
    program, calc, main, book = open_workbook(session, zeb, source, "dialog.ods", failures)
    if program is None:
        return
    subprocess.run(["xdotool", "windowfocus", "--sync", calc], env=session.env, check=False)
    subprocess.run(["xdotool", "key", "ctrl+1"], env=session.env, check=True)
    cells = session.find_window("^Format Cells$", timeout=20)
    if cells is None:
        failures.append("LibreOffice's Format Cells dialog did not open")
        program.kill()
        return
    choose_exit(session, main)
    box = wait_for_box(session, main)
    if box is None:
        failures.append("ZEB said nothing when LibreOffice kept the workbook open for its dialog")
    else:
        session.screenshot("busy_with_dialog.png")
        type_into(session, box, "Return")
    ended_with_zero(program, failures, "LibreOffice kept the workbook open")
    if session.find_window(r"^dialog\.ods", timeout=0) is None:
        failures.append("the workbook's Calc window is gone although LibreOffice refused to close it")
    subprocess.run(["xdotool", "windowfocus", "--sync", cells], env=session.env, check=False)
    subprocess.run(["xdotool", "key", "Escape"], env=session.env, check=False)


def main():
    zeb, artefacts, office_ctl, sample = sys.argv[1:5]
    failures = []
    session = Session(artefacts, office_ctl)
    try:
        for sheet in (0, 1):
            typed_not_entered(session, zeb, sample, sheet, failures)
        dialog_over_workbook(session, zeb, sample, failures)
    finally:
        session.close()
    for f in failures:
        print("FAIL:", f)
    print("unsaved work at exit: %s" % ("passed" if not failures else "failed"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
