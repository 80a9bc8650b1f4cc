"""Running Windows programs under wine64 for the end-to-end tests: a fresh prefix per test
(copied from the cached base prefix, as tools/wine/run does), programs started in the
background, the probe beside them, and the keyboard through xdotool."""

import os
import shutil
import subprocess
import tempfile
import time


class WineSession:
    def __init__(self, probe):
        self.base = os.environ["WAVORO_BASE_PREFIX"]
        self.loader = os.environ["WAVORO_WINE_LOADER"]
        self.server = os.environ["WAVORO_WINE_SERVER"]
        self.probe_exe = probe
        # beside the base prefix, on the same file system, so that hard links work
        self.tmp = tempfile.mkdtemp(prefix="e2e.", dir=os.environ.get("WAVORO_WINE_RUNS"))
        self.prefix = os.path.join(self.tmp, "prefix")
        # hard links make the copy instant (across file systems the files are copied); the
        # registry files, which wine rewrites, are real copies
        if subprocess.run(["cp", "-al", self.base, self.prefix],
                          stderr=subprocess.DEVNULL).returncode != 0:
            shutil.rmtree(self.prefix, ignore_errors=True)
            subprocess.run(["cp", "-a", self.base, self.prefix], check=True)
        for name in os.listdir(self.base):
            if name.endswith(".reg"):
                path = os.path.join(self.prefix, name)
                os.remove(path)
                shutil.copy(os.path.join(self.base, name), path)
        done = os.path.join(self.prefix, ".done")
        if os.path.exists(done):
            os.remove(done)
        self.env = dict(os.environ, WINEPREFIX=self.prefix)
        self.processes = []
        # Bring the session up (wine server, services) with one program run to its end and
        # its output going nowhere: the server and the services inherit the output of the
        # program that starts them and keep it open until the session ends, which would keep
        # a test waiting for the end of a probe's output.
        subprocess.run([self.loader, self.probe_exe, "writable", "C:\\nothing"], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)

    # ---- files of the prefix ----
    def windows_dir(self, *names):
        return os.path.join(self.prefix, "drive_c", "windows", *names)

    def install_program(self, program, folder="app"):
        """Copies the program alone into C:\\<folder> (so that no jedata.dll lies beside it
        unless a test puts one there); returns its path."""
        target = os.path.join(self.prefix, "drive_c", folder)
        os.makedirs(target, exist_ok=True)
        path = os.path.join(target, os.path.basename(program))
        shutil.copy(program, path)
        return path

    def replace_file(self, path, data):
        """Writes a new file; a hard link into the base prefix is never changed in place."""
        if os.path.lexists(path):
            if os.path.isdir(path):
                shutil.rmtree(path)
            else:
                os.remove(path)
        with open(path, "wb") as f:
            f.write(data)

    # ---- programs ----
    def start(self, program, *args):
        p = subprocess.Popen([self.loader, program, *args], env=self.env,
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.processes.append(p)
        return p

    def probe(self, *args, timeout=60):
        """The probe's output as a dict of first word -> rest of the line, and its exit code."""
        r = subprocess.run([self.loader, self.probe_exe, *args], env=self.env,
                           capture_output=True, text=True, timeout=timeout)
        values = {}
        for line in r.stdout.splitlines():
            key, _, value = line.partition(" ")
            values[key] = value
        return values, r.returncode

    def start_probe(self, *args):
        return self.start(self.probe_exe, *args)

    def geometry(self, title_pattern):
        """X, Y, WIDTH and HEIGHT of the first visible window whose title matches."""
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title_pattern],
                               env=self.env, capture_output=True, text=True).stdout.split()
        if not found:
            raise RuntimeError("no visible window to look at")
        geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", found[0]],
                                  env=self.env, capture_output=True, text=True).stdout
        return {k: int(v) for k, v in (line.split("=", 1) for line in geometry.split())}

    def click_title_bar(self, title_pattern):
        """Clicks the middle of the window's title bar, which makes it the active window."""
        g = self.geometry(title_pattern)
        subprocess.run(["xdotool", "mousemove", str(g["X"] + g["WIDTH"] // 2), str(g["Y"] + 8),
                        "click", "1"], env=self.env, check=False)
        time.sleep(0.3)

    def screen_strip(self, title_pattern, rows):
        """The RGB bytes of the top `rows` rows of the visible window whose title matches."""
        g = self.geometry(title_pattern)
        crop = f"{g['WIDTH']}x{rows}+{g['X']}+{g['Y']}"
        return subprocess.run(["import", "-window", "root", "-crop", crop, "-depth", "8", "rgb:-"],
                              env=self.env, capture_output=True, check=True).stdout

    def press(self, key):
        """Types key into the window that has the focus."""
        subprocess.run(["xdotool", "key", key], env=self.env, check=False)

    @staticmethod
    def wait(process, timeout=30):
        try:
            return process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
            return None

    def close(self):
        for p in self.processes:
            if p.poll() is None:
                p.kill()
                p.wait()
        subprocess.run([self.server, "-k"], env=self.env, stderr=subprocess.DEVNULL, check=False)
        time.sleep(0.2)
        shutil.rmtree(self.tmp, ignore_errors=True)
