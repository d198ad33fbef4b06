#!/usr/bin/env python3
"""The Windows installer and program under Wine on Xvfb: a silent install
into Program Files, the installed program's window (with a screenshot for
docs/), a second copy refused, a killed copy that does not block the next
start, and a silent uninstall that leaves nothing in Program Files.
Run under an X server (xvfb-run)."""
import argparse
import os
import subprocess
import sys
import time
from pathlib import Path

from winesession import WineSession

TITLE = "Veltara Numerology Software"


def windows(name: str, env) -> list:
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], env=env,
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    return found.stdout.split()


def wait_for(predicate, seconds: float, what: str):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        time.sleep(0.3)
    raise AssertionError(f"timed out waiting for {what}")


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True, type=Path)
    parser.add_argument("--docs", required=True, type=Path)
    args = parser.parse_args()
    build = args.build.resolve()
    installer = next((build / "package").glob("veltara-*-win64.exe"))

    with WineSession(build / "winerun") as wine:
        env = wine.env
        program_files = wine.prefix / "drive_c" / "Program Files" / TITLE
        subprocess.run(wine.command(installer, "/S"), env=env, check=True, timeout=300)
        wait_for(lambda: (program_files / "veltara.exe").exists(), 60, "the installed program")
        for needed in ["veltara.exe", "veltara-reading.exe", "Qt6Core.dll", "platforms/qwindows.dll",
                       "imageformats/qjpeg.dll", "libstdc++-6.dll", "pu/sun.jpg", "LICENSE.txt", "QT-LICENSE.txt"]:
            assert (program_files / needed).exists(), f"{needed} is not installed"
        print(f"installed silently into {program_files}")

        program = program_files / "veltara.exe"
        first = subprocess.Popen(wine.command(program), env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = wait_for(lambda: windows(f"^{TITLE}$", env), 90, "the main window")[0]
        time.sleep(2)
        args.docs.mkdir(exist_ok=True)
        subprocess.run(["import", "-window", window, str(args.docs / "windows.png")], env=env, check=True)
        print(f"the window is up; screenshot {args.docs / 'windows.png'}")

        second = subprocess.Popen(wine.command(program), env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        box = wait_for(lambda: [w for w in windows(f"^{TITLE}$", env) if w != window], 60, "the refusal")[0]
        subprocess.run(["xdotool", "windowactivate", "--sync", box, "key", "Return"], env=env, check=False)
        assert second.wait(timeout=60) == 0, "the second copy did not end after its refusal"
        assert first.poll() is None, "the first copy ended"
        print("a second copy is refused while the first runs")

        first.kill()
        first.wait(timeout=30)
        wait_for(lambda: not windows(f"^{TITLE}$", env), 30, "the killed window to go")
        third = subprocess.Popen(wine.command(program), env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = wait_for(lambda: windows(f"^{TITLE}$", env), 90, "the window after the kill")[0]
        time.sleep(2)
        assert third.poll() is None, "the copy after the killed one did not stay"
        third.kill()
        third.wait(timeout=30)
        print("a killed copy does not block the next start")

        uninstaller = program_files / "Uninstall.exe"
        subprocess.run(wine.command(uninstaller, "/S"), env=env, check=True, timeout=120)
        # The uninstaller copies itself away and runs from there.
        wait_for(lambda: not program_files.exists(), 60, "the uninstaller to remove the folder")
        print("uninstalled silently: nothing is left in Program Files")
    return 0


if __name__ == "__main__":
    sys.exit(main())
