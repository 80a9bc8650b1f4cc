#!/usr/bin/env python3
"""The whole program under wine64: what it writes into the Windows directory at start, the
skin call, the end by Esc, and the runtime errors of start-up with their boxes and exit codes.

Run through end_to_end.sh, which sets up wine's environment:
    end_to_end.sh --program wavoro.exe --probe startup_probe.exe --engine jedata.dll
                  --skin-file win8.she --without-export jedata.dll --noop-engine jedata.dll
                  [--case NAME]...
Each case gets a fresh wine prefix. Ends with "N passed, M failed".
"""

import argparse
import os
import sys
import time
import traceback

from wine_session import WineSession

EXIT_RUNTIME_ERROR = 255  # -1, as wine hands it to Linux
TITLE_ROWS = 24  # the top rows of the window, its title bar

CRLF = "\r\n"
MISSING_EXPORT_BOX = ("运行时出错!" + CRLF + CRLF + "错误信息：无法找到指定DLL库文件“jedata.dll”"
                      "中的输出命令“SkinH_AttachEx”" + CRLF)


def gbk_hex(text):
    return text.encode("gbk").hex()


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def read(path):
    with open(path, "rb") as f:
        return f.read()


class Cases:
    def __init__(self, args):
        self.args = args
        self.engine = read(args.engine)
        self.skin_file = read(args.skin_file)

    def session(self):
        return WineSession(self.args.probe)

    # ---- shared steps ----
    def wait_for_windows(self, wine, count=1, what="the main window"):
        values, code = wine.probe("windows", str(count), "30")
        check(code == 0, f"{what} did not become visible ({values.get('windows', '?')} visible)")
        return values

    def close_with_escape(self, wine, app):
        wine.press("Escape")
        code = wine.wait(app)
        check(code == 0, f"exit code {code} after Esc, not 0")

    def check_payloads_written(self, wine):
        engine, skin = wine.windows_dir("jedata.dll"), wine.windows_dir("win8.she")
        check(os.path.isfile(engine) and os.path.isfile(skin), "the two files are not there")
        written_engine, written_skin = read(engine), read(skin)
        check(written_engine[:2] == b"MZ", "jedata.dll does not begin with MZ")
        check(written_skin[:4] == b".SHE", "win8.she does not begin with .SHE")
        check(written_engine == self.engine,
              f"jedata.dll ({len(written_engine)} bytes) is not the carried library "
              f"({len(self.engine)} bytes)")
        check(written_skin == self.skin_file,
              f"win8.she ({len(written_skin)} bytes) is not the carried skin file "
              f"({len(self.skin_file)} bytes)")

    def expect_error_box(self, wine, app, text):
        values, code = wine.probe("box", "30")
        check(code == 0, "no error box appeared")
        check(values.get("caption") == gbk_hex("错误"),
              f"box caption {bytes.fromhex(values.get('caption', '')).decode('gbk', 'replace')!r}")
        shown = bytes.fromhex(values.get("text", "")).decode("gbk", "replace")
        check(values.get("text") == gbk_hex(text), f"box text {shown!r}, not {text!r}")
        check(values.get("main_window_visible") == "0", "the main window was visible behind the box")
        code = wine.wait(app)
        check(code == EXIT_RUNTIME_ERROR, f"exit code {code}, not -1")
        return values

    # ---- the cases ----
    def first_and_second_start(self):
        """Both files written exactly as carried, the skin attached before the window shows,
        Esc ends with 0; a second start truncates and rewrites both."""
        wine = self.session()
        try:
            program = wine.install_program(self.args.program)
            check(not os.path.exists(wine.windows_dir("jedata.dll")), "jedata.dll already there")
            app = wine.start(program)
            values = self.wait_for_windows(wine)
            check(values.get("library_loaded") == "1",
                  "jedata.dll is not loaded in the program when its window is visible")
            self.check_payloads_written(wine)
            self.close_with_escape(wine, app)

            # older, shorter contents: the second start must truncate and rewrite both
            wine.replace_file(wine.windows_dir("jedata.dll"), b"MZ old library")
            wine.replace_file(wine.windows_dir("win8.she"), b".SHE old")
            app = wine.start(program)
            self.wait_for_windows(wine, what="the main window of the second start")
            self.check_payloads_written(wine)
            self.close_with_escape(wine, app)
        finally:
            wine.close()

    def title_bar_when_shown(self, engine_beside_program=None):
        """The pixels of the main window's title bar strip as soon as it is visible."""
        wine = self.session()
        try:
            program = wine.install_program(self.args.program)
            if engine_beside_program:
                wine.install_program(engine_beside_program)
            app = wine.start(program)
            self.wait_for_windows(wine)
            strip = wine.screen_strip("^Wavoro", TITLE_ROWS)
            self.close_with_escape(wine, app)
            return strip
        finally:
            wine.close()

    def skinned_before_shown(self):
        """The window is restyled by the time it is first visible: its title bar differs from
        the one drawn when the engine's SkinH_AttachEx does nothing (such a jedata.dll beside
        the program is taken first)."""
        plain = self.title_bar_when_shown(self.args.noop_engine)
        skinned = self.title_bar_when_shown()
        check(len(plain) == len(skinned), "the two windows differ in size")
        changed = sum(1 for a, b in zip(plain, skinned) if abs(a - b) > 24) / len(plain)
        check(changed > 0.25, f"only {changed:.0%} of the title bar differs from the unskinned one")

    def library_without_export_in_program_directory(self):
        """A jedata.dll beside the program is taken first; without the export it is released
        and the runtime error ends the program, though the Windows directory has a good copy."""
        wine = self.session()
        try:
            program = wine.install_program(self.args.program)
            wine.install_program(self.args.without_export)
            app = wine.start(program)
            values = self.expect_error_box(wine, app, MISSING_EXPORT_BOX)
            check(values.get("library_loaded") == "0",
                  "the library without the export was still loaded when the error was shown")
            # the good copy was written, so only the program directory's library can explain
            # the error
            self.check_payloads_written(wine)
        finally:
            wine.close()

    def write_fails_and_no_library(self):
        """Directories stand where the files go: both writes fail silently, no library is found
        anywhere, and the runtime error ends the program before its window is shown."""
        wine = self.session()
        try:
            program = wine.install_program(self.args.program)
            os.mkdir(wine.windows_dir("jedata.dll"))
            os.mkdir(wine.windows_dir("win8.she"))
            app = wine.start(program)
            self.expect_error_box(wine, app, MISSING_EXPORT_BOX)
        finally:
            wine.close()

    def write_fails_with_library_from_earlier_run(self):
        """The files of an earlier run are held open by another program so that neither can be
        rewritten: the writes fail silently and the earlier library and skin file are used."""
        wine = self.session()
        try:
            program = wine.install_program(self.args.program)
            wine.replace_file(wine.windows_dir("jedata.dll"), self.engine)
            wine.replace_file(wine.windows_dir("win8.she"), self.skin_file)
            before = [os.stat(wine.windows_dir(n)).st_mtime_ns for n in ("jedata.dll", "win8.she")]
            time.sleep(0.05)
            holder = wine.start_probe("hold", "120", "C:\\windows\\jedata.dll",
                                      "C:\\windows\\win8.she")
            check(holder.stdout.readline().strip() == "held", "the files could not be held open")
            values, _ = wine.probe("writable", "C:\\windows\\jedata.dll")
            check("locked" in values, "the held library can still be written")
            app = wine.start(program)
            self.wait_for_windows(wine)
            after = [os.stat(wine.windows_dir(n)).st_mtime_ns for n in ("jedata.dll", "win8.she")]
            check(after == before, "a held file was written")
            self.close_with_escape(wine, app)
        finally:
            wine.close()

    def second_running_copy(self):
        """A second copy starts while the first has the library loaded: its write of the
        locked library fails silently and it still starts."""
        wine = self.session()
        try:
            program = wine.install_program(self.args.program)
            first = wine.start(program)
            self.wait_for_windows(wine, what="the first copy's window")
            values, _ = wine.probe("writable", "C:\\windows\\jedata.dll")
            check("locked" in values, "the library loaded by the first copy can be written")
            second = wine.start(program)
            self.wait_for_windows(wine, 2, what="the second copy's window")
            self.check_payloads_written(wine)
            # Both are closed as their close buttons would close them: with two windows and
            # no window manager, which one has the keyboard is up to wine.
            wine.probe("close")
            codes = [wine.wait(first), wine.wait(second)]
            check(codes == [0, 0], f"exit codes {codes} after closing, not 0 and 0")
        finally:
            wine.close()


CASES = [
    "first_and_second_start",
    "skinned_before_shown",
    "library_without_export_in_program_directory",
    "write_fails_and_no_library",
    "write_fails_with_library_from_earlier_run",
    "second_running_copy",
]


def main():
    parser = argparse.ArgumentParser()
    for option in ("--program", "--probe", "--engine", "--skin-file", "--without-export",
                   "--noop-engine"):
        parser.add_argument(option, required=True)
    parser.add_argument("--case", action="append", choices=CASES)
    args = parser.parse_args()
    cases = Cases(args)
    passed = failed = 0
    for name in args.case or CASES:
        try:
            getattr(cases, name)()
            passed += 1
            print(f"ok: {name}")
        except Failure as e:
            failed += 1
            print(f"FAILED: {name}: {e}")
        except Exception:  # noqa: BLE001 - a broken case must not hide the others
            failed += 1
            print(f"FAILED: {name}:\n{traceback.format_exc()}")
        sys.stdout.flush()
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
