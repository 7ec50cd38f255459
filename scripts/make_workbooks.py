#!/usr/bin/env python3
"""Writes the workbooks ZEB ships and tests with, as plain OpenDocument spreadsheets:
samples/Sample.ods (three sheets, for a new user's first run) and tests/data/one_sheet.ods.
Run it from anywhere; the files are committed, so this runs only when they change."""

import os
import zipfile
from xml.sax.saxutils import escape

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
MIME = "application/vnd.oasis.opendocument.spreadsheet"

MANIFEST = """<?xml version="1.0" encoding="UTF-8"?>
<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.2">
 <manifest:file-entry manifest:full-path="/" manifest:version="1.2" manifest:media-type="%s"/>
 <manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>
</manifest:manifest>
""" % MIME


def cell(value):
    if isinstance(value, (int, float)):
        return '<table:table-cell office:value-type="float" office:value="%s"><text:p>%s</text:p></table:table-cell>' % (value, value)
    return '<table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>' % escape(value)


def content(sheets):
    tables = []
    for name, rows in sheets:
        body = "".join("<table:table-row>%s</table:table-row>" % "".join(cell(v) for v in row) for row in rows)
        tables.append('<table:table table:name="%s"><table:table-column table:number-columns-repeated="%d"/>%s</table:table>'
                      % (escape(name), max(len(r) for r in rows), body))
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
            'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
            'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2">'
            '<office:body><office:spreadsheet>%s</office:spreadsheet></office:body></office:document-content>\n'
            % "".join(tables))


def write(path, sheets):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    stamp = (2026, 12, 7, 0, 0, 0)
    with zipfile.ZipFile(path, "w") as z:
        z.writestr(zipfile.ZipInfo("mimetype", stamp), MIME, compress_type=zipfile.ZIP_STORED)
        z.writestr(zipfile.ZipInfo("META-INF/manifest.xml", stamp), MANIFEST, compress_type=zipfile.ZIP_DEFLATED)
        z.writestr(zipfile.ZipInfo("content.xml", stamp), content(sheets), compress_type=zipfile.ZIP_DEFLATED)


write(os.path.join(ROOT, "samples", "Sample.ods"), [
    ("Accounts", [["Account", "Opening", "Closing"], ["Cash", 1200, 1350.5], ["Bank", 8400, 7925],
                  ["Savings", 15000, 15210.75]]),
    ("Budget", [["Item", "Planned", "Spent"], ["Rent", 950, 950], ["Food", 400, 436.2], ["Travel", 120, 85]]),
    ("Notes", [["Sample workbook for ZEB"], ["Open it from the first dialog to try the program."]]),
])
write(os.path.join(ROOT, "tests", "data", "one_sheet.ods"), [("Only", [["one sheet"]])])
