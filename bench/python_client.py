"""The same as minimal_client, in Python-UNO. Usage: python_client.py PIPE URL RUNS."""

import os
import sys
import time

import uno

pipe, url, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
local = uno.getComponentContext()
resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
remote = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
desktop = remote.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", remote)
for _ in range(runs):
    t0 = time.perf_counter()
    doc = desktop.loadComponentFromURL(url, "_blank", 0, ())
    t1 = time.perf_counter()
    count = doc.Sheets.Count
    held = [doc.getSheets().getByIndex(i) for i in range(count)]
    t2 = time.perf_counter()
    print("%.6f %.6f" % (t2 - t0, t2 - t1), flush=True)
    doc.close(True)
sys.stdout.flush()
os._exit(0)  # Python-UNO can crash tearing down proxies at interpreter exit; the figures are out
