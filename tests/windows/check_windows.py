#!/usr/bin/env python3
"""The Windows installer and program under Wine on Xvfb: a silent install
into Program Files, a reading typed into the installed program's window
(with a screenshot, as docs/windows.png is), its chart window saving a PDF,
a second copy refused, a killed copy that does not block the next start, the
window at 150 %, a silent uninstall that leaves nothing in Program Files, and
the unpacked zip running both programs and saving a chart's PDF too.
Run under an X server (xvfb-run)."""
import argparse
import os
import subprocess
import sys
import time
from pathlib import Path

from winesession import WineSession

TITLE = "Veltara Numerology Software"
MAIN_WINDOW = f"^{TITLE} v"  # the main window's caption carries the version
BOX = f"^{TITLE}$"  # message boxes have the bare title


class CheckFailed(Exception):
    """A check did not hold."""


def require(condition, message) -> None:
    """Fails the run unless condition holds (an assert would vanish under python -O)."""
    if not condition:
        raise CheckFailed(message)


def windows(name: str, env) -> list:
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], env=env,
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    return found.stdout.split()


def size(window: str, env) -> tuple:
    shown = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], env=env,
                           stdout=subprocess.PIPE, text=True, check=True).stdout
    values = dict(line.split("=", 1) for line in shown.split())
    return int(values["WIDTH"]), int(values["HEIGHT"])


def xdo(env, *arguments):
    subprocess.run(["xdotool", *arguments], env=env, check=True)


def pe_subsystem(program: Path) -> int:
    """The subsystem of a PE program: 2 for a GUI program, 3 for the console."""
    data = program.read_bytes()
    header = int.from_bytes(data[0x3C:0x40], "little")
    require(data[header:header + 4] == b"PE\0\0", f"{program} is no PE program")
    return int.from_bytes(data[header + 24 + 68:header + 24 + 70], "little")


def resource_types(program: Path) -> set:
    """The type numbers at the root of a PE program's resource directory."""
    data = program.read_bytes()
    header = int.from_bytes(data[0x3C:0x40], "little")
    sections = int.from_bytes(data[header + 6:header + 8], "little")
    optional_size = int.from_bytes(data[header + 20:header + 22], "little")
    table = header + 24 + optional_size
    for i in range(sections):
        entry = data[table + 40 * i:table + 40 * (i + 1)]
        if entry[:8].rstrip(b"\0") == b".rsrc":
            start = int.from_bytes(entry[20:24], "little")  # PointerToRawData
            named = int.from_bytes(data[start + 12:start + 14], "little")
            numbered = int.from_bytes(data[start + 14:start + 16], "little")
            first = start + 16 + 8 * named
            return {int.from_bytes(data[first + 8 * j:first + 8 * j + 4], "little") for j in range(numbered)}
    return set()


def check_programs(folder: Path):
    gui, console = folder / "veltara.exe", folder / "veltara-reading.exe"
    require(pe_subsystem(gui) == 2, "veltara.exe is not a GUI program")
    require(pe_subsystem(console) == 3, "veltara-reading.exe is not a console program")
    # RT_ICON 3, RT_GROUP_ICON 14, RT_VERSION 16, RT_MANIFEST 24.
    missing = {3, 14, 16, 24} - resource_types(gui)
    require(not missing, f"veltara.exe lacks the resources of types {sorted(missing)}")
    data = gui.read_bytes()
    require("Veltara Numerology Software".encode("utf-16-le") in data, "no product name in the version information")
    # The version of project(): FILEVERSION 1,40,0,0 after the signature and structure version of
    # VS_FIXEDFILEINFO, "1.40" in the version texts and 1.40.0.0 in the manifest.
    fixed = data.find(b"\xbd\x04\xef\xfe")
    require(fixed > 0 and data[fixed + 8:fixed + 16] == bytes([40, 0, 1, 0, 0, 0, 0, 0]), "FILEVERSION is not 1,40,0,0")
    require("1.40".encode("utf-16-le") in data and b'version="1.40.0.0"' in data, "no version 1.40 in the resources")
    require(b"PerMonitorV2" in data, "the manifest does not make the program per-monitor DPI aware")
    print("veltara.exe is a GUI program with icon, version information and manifest; "
          "veltara-reading.exe a console program")


def uninstall_entry(wine, env) -> dict:
    """The program's values under the machine's Uninstall key (empty when none)."""
    key = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"
    listed = subprocess.run(wine.command("reg", "query", key, "/s"), env=env, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, timeout=60).stdout.decode("utf-8", "replace")
    entry, ours = {}, False
    for line in listed.splitlines():
        if line.startswith("HKEY_"):
            if ours:
                break
            entry = {}
        elif line.strip():
            parts = line.strip().split(None, 2)
            if len(parts) == 3 and parts[1].startswith("REG_"):
                entry[parts[0]] = parts[2]
                ours = ours or (parts[0] == "DisplayName" and parts[2].startswith(TITLE))
    return entry if ours else {}


def wait_for(predicate, seconds: float, what: str):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        time.sleep(0.3)
    raise AssertionError(f"timed out waiting for {what}")


def chart_pdf(wine, env, main_window: str, where: str, name: str) -> None:
    """File, Numerology Chart... from the main window; a name and a birth date
    typed into the chart window (its birth date starts empty without a
    reading); Ctrl+S, and C:\\name typed over the file name the save dialog
    offers (its file name box has the focus). The PDF must appear."""
    pdf = wine.prefix / "drive_c" / name
    xdo(env, "windowfocus", "--sync", main_window)
    xdo(env, "key", "--delay", "40", "alt+f", "h")
    chart = wait_for(lambda: windows("^Numerology Chart$", env), 60, "the chart window")[0]
    xdo(env, "windowfocus", "--sync", chart)
    xdo(env, "key", "--delay", "40", "alt+n", "ctrl+a")
    xdo(env, "type", "--delay", "40", "Ada Lovelace")
    xdo(env, "key", "--delay", "40", "alt+b", "ctrl+a")
    xdo(env, "type", "--delay", "40", "10 Dec 1815")
    xdo(env, "key", "--delay", "40", "ctrl+s")
    dialog = wait_for(lambda: windows("^Save Chart as PDF$", env), 60, "the save dialog")[0]
    xdo(env, "windowfocus", "--sync", dialog)
    xdo(env, "key", "--delay", "40", "Home", "shift+End")
    xdo(env, "type", "--delay", "40", "C:\\" + name)
    xdo(env, "key", "--delay", "40", "Return")
    wait_for(lambda: pdf.exists() and pdf.read_bytes().startswith(b"%PDF-"), 60, f"the chart's PDF {pdf}")
    print(f"the chart window of the {where} saved a PDF ({pdf.stat().st_size} bytes)")


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True, type=Path)
    parser.add_argument("--screenshot", required=True, type=Path,
                        help="where the screenshot of the reading goes (docs/windows.png is one)")
    args = parser.parse_args()
    build = args.build.resolve()
    installer = next((build / "package").glob("veltara-*-win64.exe"))

    with WineSession(build / "winerun") as wine:
        # The installed programs find nothing of the build: only their folder;
        # and they show their windows on the display, whatever platform the
        # caller's tests asked for.
        env = dict(wine.env, VELTARA_WINE_NO_BUILD_PATH="1")
        env.pop("QT_QPA_PLATFORM", None)
        program_files = wine.prefix / "drive_c" / "Program Files" / TITLE
        subprocess.run(wine.command(installer, "/S"), env=env, check=True, timeout=300)
        wait_for(lambda: (program_files / "veltara.exe").exists(), 60, "the installed program")
        for needed in ["veltara.exe", "veltara-reading.exe", "Qt6Core.dll", "platforms/qwindows.dll",
                       "imageformats/qjpeg.dll", "libstdc++-6.dll", "pu/sun.jpg", "LICENSE.txt", "UNICODE-LICENSE.txt",
                       "QT-LICENSE.txt"]:
            require((program_files / needed).exists(), f"{needed} is not installed")
        print(f"installed silently into {program_files}")
        check_programs(program_files)
        shortcuts = list((wine.prefix / "drive_c").glob(f"ProgramData/Microsoft/Windows/Start Menu/Programs/{TITLE}*/{TITLE}.lnk"))
        require(shortcuts, "no Start-menu shortcut")
        entry = uninstall_entry(wine, env)
        for name, value in [("DisplayName", TITLE), ("DisplayVersion", "1.40"), ("Publisher", "Quorvale")]:
            require(entry.get(name, "").startswith(value), f"Add/Remove Programs: {name} is {entry.get(name)!r}")
        require(entry.get("DisplayIcon", "").lower().endswith("veltara.exe"), entry.get("DisplayIcon"))
        require(entry.get("UninstallString", "").strip('"').lower().endswith("uninstall.exe"),
                entry.get("UninstallString"))
        print("a Start-menu shortcut and an Add/Remove Programs entry with icon, version and publisher")

        program = program_files / "veltara.exe"
        version = subprocess.run(wine.command(program, "--version"), env=env, stdout=subprocess.PIPE,
                                 stderr=subprocess.DEVNULL, timeout=60)
        require(version.returncode == 0 and version.stdout.startswith(b"Veltara Numerology Software 1.40"),
                f"veltara.exe --version gave {version.returncode} {version.stdout!r}")
        print("veltara.exe --version writes to the output it was given")
        first = subprocess.Popen(wine.command(program), env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = wait_for(lambda: windows(MAIN_WINDOW, env), 90, "the main window")[0]
        time.sleep(2)
        compact = size(window, env)
        # A reading typed as a user types it: the name field has the focus
        # at start; Tab leads through day, month and year to Calculate.
        xdo(env, "windowfocus", "--sync", window)
        xdo(env, "type", "--delay", "40", "John Smith")
        for field in ["29", "September", "1999"]:
            xdo(env, "key", "--delay", "40", "Tab")
            xdo(env, "type", "--delay", "40", field)
        xdo(env, "key", "--delay", "40", "Tab", "space")
        grown = wait_for(lambda: size(window, env)[1] > compact[1] and size(window, env), 60,
                         "Calculate to grow the window")
        print(f"Calculate grew the window from {compact[0]}x{compact[1]} to {grown[0]}x{grown[1]}")
        time.sleep(3)  # the pictures and the progress bar settle
        args.screenshot.parent.mkdir(parents=True, exist_ok=True)
        subprocess.run(["import", "-window", window, "-define", "png:exclude-chunks=date,time", str(args.screenshot)],
                       env=env, check=True)
        print(f"screenshot of the reading: {args.screenshot}")
        chart_pdf(wine, env, window, "installed program", "chart-installed.pdf")

        second = subprocess.Popen(wine.command(program), env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        box = wait_for(lambda: windows(BOX, env), 60, "the refusal")[0]
        time.sleep(1)
        xdo(env, "windowfocus", "--sync", box)
        xdo(env, "key", "Return")
        require(second.wait(timeout=60) == 0, "the second copy did not end after its refusal")
        require(first.poll() is None, "the first copy ended")
        print("a second copy is refused while the first runs")

        first.kill()
        first.wait(timeout=30)
        wait_for(lambda: not windows(MAIN_WINDOW, env), 30, "the killed window to go")
        third = subprocess.Popen(wine.command(program), env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = wait_for(lambda: windows(MAIN_WINDOW, env), 90, "the window after the kill")[0]
        time.sleep(2)
        require(third.poll() is None, "the copy after the killed one did not stay")
        at_100 = size(window, env)
        third.kill()
        third.wait(timeout=30)
        print("a killed copy does not block the next start")

        # At 150 % (144 dots per inch) the per-monitor aware program lays
        # itself out again: the same design, one and a half times as large.
        subprocess.run(wine.command("reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t",
                                    "REG_DWORD", "/d", "144", "/f"),
                       env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: not windows(MAIN_WINDOW, env), 30, "the window to go")
        scaled = subprocess.Popen(wine.command(program), env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = wait_for(lambda: windows(MAIN_WINDOW, env), 90, "the window at 150 %")[0]
        time.sleep(2)
        at_150 = size(window, env)
        scaled.kill()
        scaled.wait(timeout=30)
        ratios = (at_150[0] / at_100[0], at_150[1] / at_100[1])
        require(all(1.45 <= ratio <= 1.55 for ratio in ratios),
                f"at 150 % the window is {at_150[0]}x{at_150[1]}, at 100 % {at_100[0]}x{at_100[1]}")
        print(f"at 150 % the window keeps its design: {at_100[0]}x{at_100[1]} becomes {at_150[0]}x{at_150[1]}")
        subprocess.run(wine.command("reg", "delete", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/f"),
                       env=env, check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        uninstaller = program_files / "Uninstall.exe"
        subprocess.run(wine.command(uninstaller, "/S"), env=env, check=True, timeout=120)
        # The uninstaller copies itself away and runs from there; it removes
        # the folder first, then the Start-menu shortcuts, so wait for both.
        wait_for(lambda: not program_files.exists(), 60, "the uninstaller to remove the folder")
        try:
            wait_for(lambda: not any(shortcut.exists() for shortcut in shortcuts), 60,
                     "the uninstaller to remove the Start-menu shortcuts")
        except AssertionError:
            raise CheckFailed("the Start-menu shortcut is left")
        require(not uninstall_entry(wine, env), "the Add/Remove Programs entry is left")
        print("uninstalled silently: nothing is left in Program Files")

        # The portable zip: unpacked anywhere, both programs run from it.
        archive = next((build / "package").glob("veltara-*-win64.zip"))
        portable = wine.prefix / "drive_c" / "portable"
        subprocess.run(["unzip", "-q", str(archive), "-d", str(portable)], check=True)
        folder = next(portable.iterdir())
        reading = subprocess.run(wine.command(folder / "veltara-reading.exe", "--json", "Ann", "1980-01-05"),
                                 env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=60)
        require(reading.returncode == 0 and b'"nameNumber": 2' in reading.stdout, reading)
        started = subprocess.Popen(wine.command(folder / "veltara.exe"), env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = wait_for(lambda: windows(MAIN_WINDOW, env), 90, "the window of the unpacked zip")[0]
        chart_pdf(wine, env, window, "unpacked zip", "chart-zip.pdf")
        started.kill()
        started.wait(timeout=30)
        print("the unpacked zip runs both programs with nothing installed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
