"""A private X display, a private office profile and the real zeb, driven as a person would."""

import os
import shutil
import signal
import subprocess
import tempfile
import time


class Session:
    """Xvfb on a free display, with the environment zeb and its office run in."""

    def __init__(self, artefacts, office_ctl=None, screen="1280x1024x24"):
        self.artefacts = artefacts
        self.office_ctl = office_ctl
        os.makedirs(artefacts, exist_ok=True)
        self.root = tempfile.mkdtemp(prefix="zeb-e2e-")
        runtime = os.path.join(self.root, "runtime")
        os.makedirs(runtime, mode=0o700)
        self.profile = os.path.join(self.root, "profile")
        self.display = self._free_display()
        self.xvfb = subprocess.Popen(
            ["Xvfb", self.display, "-screen", "0", screen, "-dpi", "96", "-nolisten", "tcp", "-noreset"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env = dict(os.environ)
        self.env.update({
            "DISPLAY": self.display,
            "QT_QPA_PLATFORM": "xcb",
            "QT_FONT_DPI": "96",
            "XDG_RUNTIME_DIR": runtime,
            "ZEB_OFFICE_PROFILE": self.profile,
            "ZEB_OFFICE_PIPE": "zeb_e2e_%d" % os.getpid(),
        })
        for name in ("ZEB_OFFICE_HEADLESS", "ZEB_SOFFICE", "QT_SCALE_FACTOR"):
            self.env.pop(name, None)
        self._wait_for_display()

    @staticmethod
    def _free_display():
        for n in range(90, 140):
            if not os.path.exists("/tmp/.X%d-lock" % n) and not os.path.exists("/tmp/.X11-unix/X%d" % n):
                return ":%d" % n
        raise RuntimeError("no free X display")

    def _wait_for_display(self):
        for _ in range(100):
            if subprocess.run(["xdpyinfo"], env=self.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0:
                return
            time.sleep(0.05)
        raise RuntimeError("Xvfb did not start")

    def start(self, program, *args):
        return subprocess.Popen([program, *args], env=self.env)

    def find_window(self, title_regex, timeout=60.0):
        """The id of a visible window whose title matches, polled until `timeout`."""
        end = time.monotonic() + timeout
        while True:
            out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title_regex],
                                 env=self.env, capture_output=True, text=True).stdout.split()
            if out:
                return out[0]
            if time.monotonic() >= end:
                return None
            time.sleep(0.02)

    def screenshot(self, name, window="root"):
        path = os.path.join(self.artefacts, name)
        subprocess.run(["import", "-window", str(window), path], env=self.env, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path

    def is_viewable(self, window):
        info = subprocess.run(["xwininfo", "-id", str(window)], env=self.env, capture_output=True, text=True)
        return info.returncode == 0 and "IsViewable" in info.stdout

    def close_window(self, window, tries=5):
        """Closes `window` as its title bar's close button would (WM_DELETE_WINDOW), clicking
        again, as a person would, when the window is still there a second later: right after
        a visible office's first start an X client can miss the first one."""
        from Xlib import X, display, protocol
        d = display.Display(self.display)
        try:
            w = d.create_resource_object("window", int(window))
            protocols = d.intern_atom("WM_PROTOCOLS")
            delete = d.intern_atom("WM_DELETE_WINDOW")
            for _ in range(tries):
                event = protocol.event.ClientMessage(window=w, client_type=protocols,
                                                     data=(32, [delete, X.CurrentTime, 0, 0, 0]))
                w.send_event(event, event_mask=X.NoEventMask)
                d.flush()
                for _ in range(50):
                    if not self.is_viewable(window):
                        return True
                    time.sleep(0.02)
            return False
        finally:
            d.close()

    def office_pids(self):
        out = subprocess.run(["pgrep", "-f", "soffice.bin.*" + self.profile], capture_output=True, text=True).stdout
        return [int(p) for p in out.split()]

    def end_office(self):
        """Ends the session's office as Quit would, so its next start finds a clean profile."""
        if self.office_ctl:
            subprocess.run([self.office_ctl], env=self.env, timeout=60, check=False)
            for _ in range(200):
                if not self.office_pids():
                    return
                time.sleep(0.05)

    def close(self):
        self.end_office()
        for pid in self.office_pids():
            try:
                os.kill(pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        for _ in range(100):
            if not self.office_pids():
                break
            time.sleep(0.05)
        self.xvfb.terminate()
        self.xvfb.wait()
        shutil.rmtree(self.root, ignore_errors=True)
