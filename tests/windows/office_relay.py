"""The Linux side of the Windows tests' office: the real LibreOffice, started visible with a
private profile, reached through its own Invocation service, and offered on the loopback to
the test office's COM server (office_server.exe under Wine), one connection at a time.

The server asks, the relay answers, in messages of "<length>\\n<values>". A value is one of
  e;  (empty)   n;  (null object)   b0; b1;   s<n>; (16-bit)   i<n>; (32-bit)   d<x>; (double)
  t<bytes>:<UTF-8 text>   o<handle>; (an office object)   a<count>:<values> (an array)
A request is its operation's name and its values; an answer is "ok" and a value, or "error",
the kind of failure (as the office's automation bridge reports it) and the office's text.
Two requests are no bridge's: "press" and a button's name is a person pressing that button in
the dialog the office shows (the tests cancel the office's questions so); "fail_reads" and
property names makes the office fail every read of those properties from then on (none: no
more), as an office whose getter raises.

Files keep their Windows spelling on the Windows side: a file URL "file:///C:/..." (or "C|")
names the Linux file the prefix's drive C: stands for, and every file URL the office hands
back is spelt as LibreOffice for Windows spells it.

    office_relay.py PORT_FILE   (prints "ready" once the office answers; ends when stdin closes)
"""

import os
import re
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

import uno
from com.sun.star.uno import Exception as UnoException
from com.sun.star.lang import DisposedException
from com.sun.star.beans import UnknownPropertyException
from com.sun.star.script import CannotConvertException


# ---------------------------------------------------------------- values
class Obj:
    def __init__(self, handle):
        self.handle = handle


NULL = object()
ALL_CONCEPTS = -1  # every kind of method or property (MethodConcept.ALL, PropertyConcept.ALL)


def encode(v, out):
    if v is None:
        out += b"e;"
    elif v is NULL:
        out += b"n;"
    elif isinstance(v, bool):
        out += b"b1;" if v else b"b0;"
    elif isinstance(v, int):
        out += (b"i%d;" % v) if -2**31 <= v < 2**31 else (b"d%r;" % float(v))
    elif isinstance(v, float):
        out += b"d" + repr(v).encode() + b";"
    elif isinstance(v, str):
        data = v.encode("utf-8")
        out += b"t%d:" % len(data) + data
    elif isinstance(v, Obj):
        out += b"o%d;" % v.handle
    elif isinstance(v, (list, tuple)):
        out += b"a%d:" % len(v)
        for item in v:
            encode(item, out)
    else:
        raise TypeError("cannot send %r" % (v,))


def decode(data, at=0):
    kind = data[at:at + 1]
    at += 1
    if kind in (b"t", b"a"):
        colon = data.index(b":", at)
        n = int(data[at:colon])
        at = colon + 1
        if kind == b"t":
            return data[at:at + n].decode("utf-8"), at + n
        items = []
        for _ in range(n):
            item, at = decode(data, at)
            items.append(item)
        return items, at
    semi = data.index(b";", at)
    text = data[at:semi].decode()
    at = semi + 1
    if kind == b"e":
        return None, at
    if kind == b"n":
        return NULL, at
    if kind == b"b":
        return text == "1", at
    if kind in (b"s", b"i"):
        return ("i2" if kind == b"s" else "i4", int(text)), at
    if kind == b"d":
        return float(text), at
    if kind == b"o":
        return Obj(int(text)), at
    raise ValueError("unknown value %r" % kind)


# ---------------------------------------------------------------- file names
class Drives:
    """The prefix's drive letters and the Linux folders they stand for (its dosdevices)."""

    def __init__(self, prefix):
        self.drives = {}
        folder = os.path.join(prefix, "dosdevices")
        for name in os.listdir(folder) if os.path.isdir(folder) else []:
            if re.fullmatch(r"[a-z]:", name):
                target = os.path.realpath(os.path.join(folder, name))
                self.drives[name[0].upper()] = target.rstrip("/") or "/"

    def to_linux(self, url):
        m = re.match(r"(?i)^file:///([a-z])[:|](/.*)?$", url)
        if not m or m.group(1).upper() not in self.drives:
            return url
        root = self.drives[m.group(1).upper()]
        rest = m.group(2) or "/"
        return "file://" + urllib.parse.quote(root.rstrip("/")) + rest

    def to_windows(self, url):
        if not url.startswith("file:///"):
            return url
        path = urllib.parse.unquote(url[len("file://"):])
        best = None
        for letter, root in self.drives.items():
            prefix = root.rstrip("/") + "/"
            if (path + "/").startswith(prefix) and (best is None or len(root) > len(best[1])):
                best = (letter, root)
        if best is None:
            return url
        letter, root = best
        rest = url[len("file://"):]
        # The escapes of the part below the drive's folder are kept as the office gave them.
        quoted_root = urllib.parse.quote(root.rstrip("/"))
        below = rest[len(quoted_root):] if rest.startswith(quoted_root) else urllib.parse.quote(path[len(root.rstrip("/")):])
        return "file:///%s:%s" % (letter, below or "/")


# ---------------------------------------------------------------- the office
class Office:
    def __init__(self, profile, pipe):
        self.profile, self.pipe = profile, pipe
        self.process = subprocess.Popen(
            ["soffice", "--norestore", "--nologo", "--nodefault", "-env:UserInstallation=file://" + profile,
             "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % pipe],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
        for _ in range(1200):
            try:
                self.ctx = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
                break
            except UnoException:
                time.sleep(0.05)
        else:
            raise RuntimeError("LibreOffice did not answer")
        self.smgr = self.ctx.ServiceManager

    def alive(self):
        return self.process.poll() is None and self.answers()

    def answers(self):
        try:
            self.smgr.createInstanceWithContext("com.sun.star.frame.Desktop", self.ctx)
            return True
        except Exception:
            return False

    def end(self):
        try:
            desk = self.smgr.createInstanceWithContext("com.sun.star.frame.Desktop", self.ctx)
            desk.terminate()
        except Exception:
            pass
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait()


class Offices:
    """The office the relay works with, started again when a test ended it (quit, killed)."""

    def __init__(self, root):
        self.root, self.lock, self.count, self.office = root, threading.Lock(), 0, None
        self.failing_reads = set()  # properties whose reads the office fails, for the tests

    def live(self):
        with self.lock:
            if self.office is not None and not self.office.answers():
                try:
                    self.office.process.wait(timeout=20)
                except subprocess.TimeoutExpired:
                    os.killpg(self.office.process.pid, signal.SIGKILL)
                    self.office.process.wait()
            if self.office is None or self.office.process.poll() is not None:
                self.count += 1
                self.office = Office(os.path.join(self.root, "profile%d" % self.count),
                                     "zeb_windows_%d_%d" % (os.getpid(), self.count))
            return self.office

    def end(self):
        if self.office is not None:
            self.office.end()


class FailedRead(Exception):
    """A property read the office fails (its getter raised), as a test asked."""


class Gone(Exception):
    """The office has ended: the server ends too, as a local server whose process died."""


class Session:
    """The objects handed to one connection of the server, by handle: the server's process
    lives as long as its connection, and with it the office it started with."""

    def __init__(self, offices, drives):
        self.offices, self.office, self.drives = offices, None, drives
        self.objects = {}
        self.counts = {}
        self.names = {}
        self.next = 1

    def handle_of(self, obj):
        """The handle of `obj`, counted once more: the server releases each one it was given."""
        for h, (o, _) in self.objects.items():
            if o == obj:
                self.counts[h] += 1
                return h
        h = self.next
        self.next += 1
        self.objects[h] = (obj, None)
        self.counts[h] = 1
        return h

    def access(self, h):
        """The office's introspection of object `h`: its members, found by exact name."""
        obj, access = self.objects[h]
        if access is None:
            introspection = self.office.smgr.createInstanceWithContext("com.sun.star.beans.Introspection",
                                                                        self.office.ctx)
            access = introspection.inspect(obj)
            self.objects[h] = (obj, access)
        return access

    def to_office(self, v):
        if isinstance(v, Obj):
            return self.objects[v.handle][0]
        if v is NULL:
            return None
        if isinstance(v, tuple) and v and v[0] in ("i2", "i4"):
            return uno.Any("short" if v[0] == "i2" else "long", v[1])
        if isinstance(v, list):
            return tuple(self.to_office(x) for x in v)
        if isinstance(v, str):
            return self.drives.to_linux(v)
        return v

    def from_office(self, v):
        if v is None:
            return NULL  # a null interface; "empty" has no UNO value here
        if isinstance(v, bool) or isinstance(v, (int, float)):
            return v
        if isinstance(v, str):
            return self.drives.to_windows(v)
        if isinstance(v, tuple):
            return [self.from_office(x) for x in v]
        if isinstance(v, uno.Enum):
            return v.value
        if isinstance(v, uno.Char):
            return v.value
        if isinstance(v, uno.ByteSequence):
            return list(v.value)
        return Obj(self.handle_of(v))

    # The operations, as the bridge's IDispatch wrapper uses the Invocation service.
    def root(self):
        if self.office is None:
            self.office = self.offices.live()
        return Obj(self.handle_of(self.office.smgr))

    def member(self, h, name):
        methods, properties = self.members(h)
        # The member's exact name for a name in any letter case, as the Invocation's XExactName
        # gives it to the bridge: the name itself when it is one, else the one that differs
        # from it only in case.
        exact = name
        if name not in methods and name not in properties:
            for candidate in methods | properties:
                if candidate.lower() == name.lower():
                    exact = candidate
                    break
        return [exact, exact in methods, exact in properties]

    def members(self, h):
        """The names of object `h`'s methods and properties."""
        if h not in self.names:
            access = self.access(h)
            methods = {m.getName() for m in access.getMethods(ALL_CONCEPTS)}
            properties = {p.Name for p in access.getProperties(ALL_CONCEPTS)}
            self.names[h] = (methods, properties)
        return self.names[h]

    def call(self, h, name, args):
        obj = self.objects[h][0]
        return self.from_office(uno.invoke(obj, name, tuple(self.to_office(a) for a in args)))

    def get(self, h, name):
        if name in self.offices.failing_reads:
            raise FailedRead(name)
        return self.from_office(getattr(self.objects[h][0], name))

    def set(self, h, name, value):
        setattr(self.objects[h][0], name, self.to_office(value))

    def press(self, button):
        """A person pressing `button` in a dialog or alert the office shows: the dialog's title,
        or null when none shows one with that button."""
        office = self.offices.live()
        toolkit = office.smgr.createInstanceWithContext("com.sun.star.awt.Toolkit", office.ctx)
        for k in range(toolkit.getTopWindowCount()):
            try:
                context = toolkit.getTopWindow(k).getAccessibleContext()
                if context.getAccessibleRole() not in (role("DIALOG"), role("ALERT")):
                    continue
                title = context.getAccessibleName()  # read first: the dialog goes with the press
                if press_in(context, button):
                    return title
            except (UnoException, AttributeError):
                continue  # a window that went meanwhile
        return NULL

    def release(self, h):
        self.counts[h] = self.counts.get(h, 1) - 1
        if self.counts[h] <= 0:
            for table in (self.objects, self.counts, self.names):
                table.pop(h, None)


def role(name):
    return uno.getConstantByName("com.sun.star.accessibility.AccessibleRole." + name)


def press_in(context, button):
    """Presses the button named `button` among `context`'s own (its children's, ...)."""
    if context is None:
        return False
    if context.getAccessibleRole() == role("PUSH_BUTTON") and context.getAccessibleName() == button:
        context.doAccessibleAction(0)
        return True
    for k in range(context.getAccessibleChildCount()):
        child = context.getAccessibleChild(k)
        if child is not None and press_in(child.getAccessibleContext(), button):
            return True
    return False


def answer(session, request):
    reply = answer_plainly(session, request)
    # An office that has ended (quit, killed) fails calls in many ways; whatever it said, the
    # server's office is gone then.
    if reply[0] == "error" and session.office is not None and not session.office.alive():
        raise Gone()
    if reply[0] == "error":  # the office's text names files as LibreOffice for Windows would
        reply[2] = re.sub(r"file:///[^\s>\"']*", lambda m: session.drives.to_windows(m.group(0)), reply[2])
    return reply


def answer_plainly(session, request):
    op, args = request[0], request[1:]
    try:
        if op == "root":
            return ["ok", session.root()]
        if op == "member":
            return ["ok", session.member(args[0].handle, args[1])]
        if op == "call":
            return ["ok", session.call(args[0].handle, args[1], args[2])]
        if op == "get":
            return ["ok", session.get(args[0].handle, args[1])]
        if op == "set":
            session.set(args[0].handle, args[1], args[2])
            return ["ok", None]
        if op == "press":  # not the bridge's: a person at the office, for the tests
            return ["ok", session.press(args[0])]
        if op == "fail_reads":  # not the bridge's: the office failing these reads, for the tests
            session.offices.failing_reads = set(args)
            return ["ok", None]
        if op == "release":
            session.release(args[0].handle)
            return ["ok", None]
        return ["error", "unknown", "no operation " + op]
    except DisposedException as e:
        # An object closed in the office is that object's failure; the office gone is another.
        if "URP" in e.Message or "bridge" in e.Message.lower():
            raise Gone()
        return ["error", "exception", "com.sun.star.lang.DisposedException: " + e.Message]
    except UnknownPropertyException as e:
        return ["error", "membernotfound", e.Message]
    except CannotConvertException as e:
        return ["error", "typemismatch", e.Message]
    except UnoException as e:
        if "URP bridge" in e.Message:
            raise Gone()
        # What the member raised, as the bridge reports an InvocationTargetException: its
        # type, then its text.
        return ["error", "exception", "%s: %s" % (e.typeName, e.Message)]
    except (TypeError, ValueError) as e:
        return ["error", "typemismatch", str(e)]
    except KeyError:
        return ["error", "exception", "com.sun.star.lang.DisposedException: the object was released"]
    except FailedRead as e:
        return ["error", "exception", "com.sun.star.uno.RuntimeException: %s could not be read" % e]


def serve(connection, offices, drives):
    session = Session(offices, drives)
    reader = connection.makefile("rb")
    try:
        while True:
            header = reader.readline()
            if not header:
                return
            data = reader.read(int(header))
            values, at = [], 0
            while at < len(data):
                v, at = decode(data, at)
                values.append(v)
            reply = answer(session, values)
            if os.environ.get("ZEB_RELAY_LOG"):
                print("relay:", [v if not isinstance(v, Obj) else "o%d" % v.handle for v in values], "->",
                      [v if not isinstance(v, Obj) else "o%d" % v.handle for v in reply], file=sys.stderr, flush=True)
            out = bytearray()
            for v in reply:
                encode(v, out)
            connection.sendall(b"%d\n" % len(out) + bytes(out))
    except Gone:
        pass  # the connection ends: the server's process ends with it
    except (ConnectionError, OSError):
        pass
    finally:
        connection.close()


def main():
    port_file = sys.argv[1]
    root = tempfile.mkdtemp(prefix="zeb-test-office-")
    offices = Offices(root)
    offices.live()  # started now: the tests find it ready
    drives = Drives(os.environ.get("WINEPREFIX", os.path.expanduser("~/.wine")))
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(4)
    with open(port_file, "w") as f:
        f.write("%d\n" % listener.getsockname()[1])
    print("ready", flush=True)

    def accept():
        while True:
            try:
                connection, _ = listener.accept()
            except OSError:
                return
            threading.Thread(target=serve, args=(connection, offices, drives), daemon=True).start()

    threading.Thread(target=accept, daemon=True).start()
    sys.stdin.read()  # until whoever started the relay is done
    listener.close()
    offices.end()
    subprocess.run(["rm", "-rf", root])


if __name__ == "__main__":
    main()
