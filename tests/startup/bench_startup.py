#!/usr/bin/env python3
"""Benchmark (not a test): the time from process start until the window is visible, for Wavoro
and for a minimal Win32 program that opens one window, both under the same wine session,
started alternately by the probe; and the sizes of the 32-bit program and skin engine.

Run through end_to_end.sh, which sets up wine's environment:
    end_to_end.sh --bench --program build/win64/wavoro.exe --minimal build/win64/minimal_window.exe
                  --probe build/win64/startup_probe.exe [--runs 20]
                  [--product build/win32/wavoro.exe --engine build/win32/jedata.dll]
"""

import argparse
import os
import statistics

from wine_session import WineSession

GOAL_RATIO = 1.15
GOAL_PROGRAM_BYTES = 1 << 20


def launch(wine, windows_path):
    values, code = wine.probe("launch", windows_path, timeout=120)
    if code != 0 or "visible_ms" not in values:
        raise RuntimeError(f"{windows_path} did not show a window: {values}")
    return float(values["visible_ms"])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--minimal", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--product")
    parser.add_argument("--engine")
    args = parser.parse_args()

    wine = WineSession(args.probe)
    try:
        wine.install_program(args.program)
        wine.install_program(args.minimal)
        wavoro = "C:\\app\\" + os.path.basename(args.program)
        minimal = "C:\\app\\" + os.path.basename(args.minimal)
        launch(wine, wavoro)  # first starts load wine's own libraries: not counted
        launch(wine, minimal)
        times = {wavoro: [], minimal: []}
        for _ in range(args.runs):
            for program in (wavoro, minimal):
                times[program].append(launch(wine, program))
    finally:
        wine.close()

    def line(name, values):
        return (f"{name:16} median {statistics.median(values):7.1f} ms   mean "
                f"{statistics.mean(values):7.1f} ms   min {min(values):7.1f} ms")

    print(f"start until visible, {args.runs} runs each, alternating, under wine64:")
    print(line("wavoro", times[wavoro]))
    print(line("minimal window", times[minimal]))
    ratio = statistics.median(times[wavoro]) / statistics.median(times[minimal])
    print(f"ratio of medians {ratio:.3f} (goal at most {GOAL_RATIO})")
    for label, path in (("program (32-bit)", args.product), ("skin engine (32-bit)", args.engine)):
        if path and os.path.exists(path):
            size = os.path.getsize(path)
            note = f" (goal under {GOAL_PROGRAM_BYTES} bytes)" if label.startswith("program") else ""
            print(f"{label}: {size} bytes{note}")
    return 0


if __name__ == "__main__":
    raise SystemExit(main())
