// A stand-in for the office's service manager, for the Windows tests only (ZEB_OFFICE_STAND_IN):
// the desktop it makes has no documents, so the program goes on to ask for a workbook.
function createInstance(name) {
    if (name != "com.sun.star.frame.Desktop")
        throw new Error("the stand-in office makes only the desktop, not " + name);
    return { Components: null };
}
