"""Checks of the install layout, the desktop files and the Debian package.

    packaging_checks.py install  --cmake CMAKE --build BUILD [--config CONFIG]
    packaging_checks.py validate --source PACKAGING_DIR --version VERSION
    packaging_checks.py deb      --cpack CPACK --build BUILD --version VERSION --qt-plugins DIR
                                 [--config CONFIG]

install   installs the build into a temporary prefix, starts the program through
          its link in bin/ on a private Xvfb and checks that the main window
          comes up (the program found its pictures) with the application icon.
validate  runs desktop-file-validate and appstreamcli on the desktop entry and
          the metainfo, and checks that the two name each other.
deb       makes the Debian package into a temporary folder and reads what it
          holds and what it depends on. Nothing is installed on the system.

Waiting is a bounded poll, never a fixed sleep; every process a check starts
is ended when it finishes, fails, or is killed.
"""

import argparse
import glob
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

# The X server, waiting and failure helpers are shared with the real-display checks.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "xvfb"))
from xsession import (MAIN_TITLE, PICTURE_NAMES, REINSTALL_TITLE, SKIP, Failure, XServer,  # noqa: E402
                      _die_with_parent, _stop as stop, check, poll)

APP_ID = "com.quorvale.Veltara"
PROGRAM = "veltara"
READING_PROGRAM = "veltara-reading"
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
# The Qt libraries the program links, by Debian package.
QT_PACKAGES = ("libqt6core6", "libqt6gui6", "libqt6widgets6")

def need_tools(*tools):
    missing = [tool for tool in tools if shutil.which(tool) is None]
    if missing:
        print("SKIP: not installed: " + " ".join(missing))
        sys.exit(SKIP)


def run(command, **options):
    """Runs a command to its end; a non-zero exit is a failure with its output."""
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            stdin=subprocess.DEVNULL, text=True, **options)
    check(result.returncode == 0, "%s exited with %d:\n%s" % (" ".join(command), result.returncode, result.stdout))
    return result.stdout


def png_size(path):
    with open(path, "rb") as file:
        header = file.read(24)
    check(header[:8] == b"\x89PNG\r\n\x1a\n", "%s is not a PNG file" % path)
    return struct.unpack(">II", header[16:24])


def desktop_entry(path):
    """The keys of the [Desktop Entry] group."""
    entry, group = {}, None
    with open(path, encoding="utf-8") as file:
        for line in file:
            line = line.strip()
            if line.startswith("["):
                group = line
            elif group == "[Desktop Entry]" and "=" in line and not line.startswith("#"):
                key, value = line.split("=", 1)
                entry[key.strip()] = value.strip()
    return entry


# --- child processes -----------------------------------------------------------

def x_tool(display, *arguments):
    """Output of an X tool (xdotool, xprop), or None when it fails."""
    environment = dict(os.environ, DISPLAY=display)
    result = subprocess.run(list(arguments), stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                            stdin=subprocess.DEVNULL, text=True, env=environment, timeout=20)
    return result.stdout if result.returncode == 0 else None


def visible_windows(display, title):
    """Ids of the mapped windows whose title is exactly title."""
    output = x_tool(display, "xdotool", "search", "--onlyvisible", "--name", "^%s$" % re.escape(title))
    return output.split() if output else []


def icon_sizes(display, window):
    """The sizes of the drawings in a window's _NET_WM_ICON, as xprop lists them."""
    # xprop reads only the first part of a long property unless told more.
    output = x_tool(display, "xprop", "-len", "8000000", "-id", window, "_NET_WM_ICON") or ""
    return sorted({int(width) for width, height in re.findall(r"Icon \((\d+) x (\d+)\)", output) if width == height})


# --- install ---------------------------------------------------------------------

def check_install_layout(prefix):
    folder = os.path.join(prefix, "lib", "veltara")
    program = os.path.join(folder, PROGRAM)
    check(os.path.isfile(program) and os.access(program, os.X_OK), "no program at %s" % program)
    pictures = sorted(os.listdir(os.path.join(folder, "pu")))
    check(pictures == sorted(PICTURE_NAMES), "pu/ beside the program holds %s" % pictures)

    link = os.path.join(prefix, "bin", PROGRAM)
    check(os.path.islink(link), "%s is not a symbolic link" % link)
    target = os.readlink(link)
    check(not os.path.isabs(target), "the link in bin/ is absolute (%s): the prefix could not be moved" % target)
    check(os.path.realpath(link) == os.path.realpath(program), "bin/%s leads to %s" % (PROGRAM, target))

    share = os.path.join(prefix, "share")
    entry = desktop_entry(os.path.join(share, "applications", APP_ID + ".desktop"))
    check(entry.get("Exec", "").split()[0] == PROGRAM, "the desktop entry runs %r" % entry.get("Exec"))
    for size in ICON_SIZES:
        icon = os.path.join(share, "icons", "hicolor", "%dx%d" % (size, size), "apps", entry["Icon"] + ".png")
        check(os.path.isfile(icon), "no %d px icon named %s in the theme" % (size, entry["Icon"]))
        check(png_size(icon) == (size, size), "%s is %s, not %d px" % (icon, png_size(icon), size))
    check(os.path.isfile(os.path.join(share, "metainfo", APP_ID + ".metainfo.xml")), "no metainfo installed")

    # The command-line reading beside it, with its manual page.
    reading = os.path.join(prefix, "bin", READING_PROGRAM)
    check(os.path.isfile(reading) and os.access(reading, os.X_OK), "no program at %s" % reading)
    version = run([reading, "--version"]).strip()
    check(version == "Veltara Numerology Software 1.40", "%s --version says %r" % (READING_PROGRAM, version))
    check(os.path.isfile(os.path.join(share, "man", "man1", READING_PROGRAM + ".1")), "no manual page of %s" % READING_PROGRAM)
    return program, link


def install(args):
    need_tools("Xvfb", "xdotool", "xprop")
    folder = tempfile.mkdtemp(prefix="veltara-install-")
    xvfb = program_process = None
    try:
        prefix = os.path.join(folder, "prefix")
        command = [args.cmake, "--install", args.build, "--prefix", prefix]
        if args.config:
            command += ["--config", args.config]
        run(command)
        program, link = check_install_layout(prefix)

        xvfb = XServer(folder)
        display = xvfb.display
        runtime, config, home = (os.path.join(folder, name) for name in ("run", "config", "home"))
        for path in (runtime, config, home):
            os.makedirs(path, mode=0o700)
        environment = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=runtime,
                           XDG_CONFIG_HOME=config, HOME=home)
        environment.pop("WAYLAND_DISPLAY", None)
        log_path = os.path.join(folder, "program.log")
        with open(log_path, "wb") as log:
            program_process = subprocess.Popen([link], env=environment, cwd=folder, stdin=subprocess.DEVNULL,
                                               stdout=log, stderr=log, preexec_fn=_die_with_parent)

        def started():
            if program_process.poll() is not None:
                return "ended"
            if visible_windows(display, REINSTALL_TITLE):
                return "reinstall"
            windows = visible_windows(display, MAIN_TITLE)
            return windows[0] if windows else None

        outcome = poll(started, timeout=60, interval=0.1)
        with open(log_path, errors="replace") as log:
            output = log.read()
        check(outcome != "ended", "the program ended (exit %s) without a window:\n%s"
              % (program_process.returncode, output))
        check(outcome != "reinstall", "the installed program did not find its pictures:\n" + output)
        check(outcome, "no window titled %r within 60 s:\n%s" % (MAIN_TITLE, output))
        window = outcome

        running = os.path.realpath("/proc/%d/exe" % program_process.pid)
        check(running == os.path.realpath(program), "the link started %s, not the installed program" % running)
        sizes = poll(lambda: icon_sizes(display, window), timeout=10)
        check(sizes == list(ICON_SIZES), "the main window's icon has the sizes %s, not %s" % (sizes, list(ICON_SIZES)))
        check(not visible_windows(display, REINSTALL_TITLE), "a reinstall message came up beside the main window")
        print("installed to %s; %s started as %s; icon sizes %s" % (prefix, link, running, sizes))
    finally:
        stop(program_process)
        if xvfb is not None:
            xvfb.stop()
        shutil.rmtree(folder, ignore_errors=True)


# --- validate --------------------------------------------------------------------

def validate(args):
    need_tools("desktop-file-validate", "appstreamcli")
    desktop = os.path.join(args.source, APP_ID + ".desktop")
    metainfo = os.path.join(args.source, APP_ID + ".metainfo.xml")

    output = run(["desktop-file-validate", desktop])
    # It exits 0 on warnings; a warning is a fault here too.
    check(not re.search(r"^\S+: (error|warning):", output, re.MULTILINE), "desktop-file-validate:\n" + output)
    print(run(["appstreamcli", "validate", "--no-net", metainfo]))

    entry = desktop_entry(desktop)
    component = ElementTree.parse(metainfo).getroot()
    check(component.get("type") == "desktop-application", "the metainfo is not for a desktop application")
    check(component.findtext("id") == APP_ID, "the metainfo id is %r" % component.findtext("id"))
    launchable = component.find("launchable[@type='desktop-id']")
    check(launchable is not None and launchable.text == APP_ID + ".desktop",
          "the metainfo does not launch %s.desktop" % APP_ID)
    binaries = [item.text for item in component.findall("provides/binary")]
    check(binaries == [entry["Exec"].split()[0], READING_PROGRAM],
          "the metainfo provides %s, the entry runs %s" % (binaries, entry["Exec"]))
    check(component.findtext("name") == entry["Name"], "the metainfo and the entry name the program differently")
    check(entry["Icon"] == APP_ID, "the entry's icon is %r, not the application id" % entry["Icon"])
    for release in component.findall("releases/release"):
        check(release.get("version") == args.version, "the metainfo's release %s is not %s"
              % (release.get("version"), args.version))


# --- deb -------------------------------------------------------------------------

def deb_listing(package):
    """Path -> (mode string, link target or None) for every entry of the package."""
    entries = {}
    for line in run(["dpkg-deb", "-c", package]).splitlines():
        # drwxr-xr-x root/root 0 2024-01-01 00:00 ./usr/bin/veltara -> ../lib/veltara/veltara
        fields = line.split(None, 5)
        path, _, target = fields[5].partition(" -> ")
        entries[path.lstrip(".").rstrip("/")] = (fields[0], target or None)
    return entries


def owning_package(path):
    """The installed Debian package that holds a file, or None."""
    result = subprocess.run(["dpkg", "-S", os.path.realpath(path)], stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, text=True)
    if result.returncode != 0:
        result = subprocess.run(["dpkg", "-S", path], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    if result.returncode != 0:
        return None
    return result.stdout.split(":", 1)[0].split(",")[0].strip()


def linked_libraries(program):
    """The shared libraries a program names (DT_NEEDED), with their paths."""
    needed = re.findall(r"^\s*NEEDED\s+(\S+)", run(["objdump", "-p", program]), re.MULTILINE)
    paths = {}
    for line in run(["ldd", program]).splitlines():
        match = re.match(r"\s*(\S+) => (\S+)", line)
        if match:
            paths[match.group(1)] = match.group(2)
    return {name: paths.get(name) for name in needed}


def deb(args):
    need_tools("dpkg-deb", "dpkg", "objdump", "ldd")
    folder = tempfile.mkdtemp(prefix="veltara-deb-")
    try:
        command = [args.cpack, "--config", os.path.join(args.build, "CPackConfig.cmake"), "-B", folder, "-G", "DEB"]
        if args.config:
            command += ["-C", args.config]
        run(command, cwd=folder)
        architecture = run(["dpkg", "--print-architecture"]).strip()
        packages = glob.glob(os.path.join(folder, "*.deb"))
        check([os.path.basename(path) for path in packages] == ["veltara_%s_%s.deb" % (args.version, architecture)],
              "cpack made %s" % packages)
        package = packages[0]

        entries = deb_listing(package)
        files = {path for path, (mode, _) in entries.items() if not mode.startswith("d")}
        expected = {"/usr/lib/veltara/veltara", "/usr/bin/veltara",
                    "/usr/bin/%s" % READING_PROGRAM, "/usr/share/man/man1/%s.1" % READING_PROGRAM,
                    "/usr/share/applications/%s.desktop" % APP_ID,
                    "/usr/share/metainfo/%s.metainfo.xml" % APP_ID}
        expected |= {"/usr/lib/veltara/pu/" + name for name in PICTURE_NAMES}
        expected |= {"/usr/share/icons/hicolor/%dx%d/apps/%s.png" % (size, size, APP_ID) for size in ICON_SIZES}
        check(files == expected, "the package holds what it should not: %s\nand lacks: %s"
              % (sorted(files - expected), sorted(expected - files)))
        program_mode, _ = entries["/usr/lib/veltara/veltara"]
        check(program_mode.startswith("-rwxr-xr-x"), "the program's mode is %s" % program_mode)
        link_mode, link_target = entries["/usr/bin/veltara"]
        check(link_mode.startswith("l") and link_target == "../lib/veltara/veltara",
              "usr/bin/veltara is %s -> %s, not a relative link to the program" % (link_mode, link_target))

        fields = {name: run(["dpkg-deb", "-f", package, name]).strip()
                  for name in ("Package", "Version", "Architecture", "Section", "Maintainer", "Homepage", "Depends")}
        check(fields["Package"] == "veltara", "Package: %s" % fields["Package"])
        check(fields["Version"] == args.version, "Version: %s" % fields["Version"])
        check(fields["Architecture"] == architecture, "Architecture: %s" % fields["Architecture"])
        check(fields["Section"] == "utils", "Section: %s" % fields["Section"])
        check(re.fullmatch(r".+ <[^@ ]+@[^@ ]+>", fields["Maintainer"]), "Maintainer: %s" % fields["Maintainer"])
        check(fields["Homepage"] == "http://www.quorvale.com", "Homepage: %s" % fields["Homepage"])
        depends = {}
        for relation in fields["Depends"].split(","):
            match = re.fullmatch(r"\s*([a-z0-9.+-]+)\s*(?:\(([^)]*)\))?\s*", relation)
            check(match, "Depends has an entry that does not parse: %r" % relation)
            depends[match.group(1)] = match.group(2)
        for name in QT_PACKAGES:
            check(re.fullmatch(r">= 6\.\d+(\.\d+)?", depends.get(name) or ""),
                  "Depends: %s does not ask for %s (>= 6.x)" % (fields["Depends"], name))

        # Every library the packaged program links, and the plugins Qt loads
        # for the X11 display and for the JPEG pictures, come from a package
        # that Depends names.
        root = os.path.join(folder, "root")
        run(["dpkg-deb", "-x", package, root])
        program = os.path.join(root, "usr", "lib", "veltara", "veltara")
        providers = {}
        for library, path in linked_libraries(program).items():
            check(path, "the packaged program links %s, which is not found here" % library)
            providers[library] = owning_package(path)
        for plugin in ("platforms/libqxcb.so", "imageformats/libqjpeg.so"):
            path = os.path.join(args.qt_plugins, plugin)
            check(os.path.isfile(path), "no %s in the Qt plugin folder %s" % (plugin, args.qt_plugins))
            providers[plugin] = owning_package(path)
        for what, provider in sorted(providers.items()):
            if provider is None:
                print("note: %s is not from a Debian package here; not checked" % what)
                continue
            check(provider in depends, "%s comes from %s, which Depends (%s) does not name"
                  % (what, provider, fields["Depends"]))
        print("%s: %d files; Depends: %s" % (os.path.basename(package), len(files), fields["Depends"]))
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    commands = parser.add_subparsers(dest="command", required=True)
    install_parser = commands.add_parser("install")
    install_parser.add_argument("--cmake", required=True)
    install_parser.add_argument("--build", required=True)
    install_parser.add_argument("--config", default="")
    validate_parser = commands.add_parser("validate")
    validate_parser.add_argument("--source", required=True)
    validate_parser.add_argument("--version", required=True)
    deb_parser = commands.add_parser("deb")
    deb_parser.add_argument("--cpack", required=True)
    deb_parser.add_argument("--build", required=True)
    deb_parser.add_argument("--version", required=True)
    deb_parser.add_argument("--qt-plugins", required=True)
    deb_parser.add_argument("--config", default="")
    args = parser.parse_args()

    # A CTest timeout ends this script with SIGTERM: run the clean-up first.
    signal.signal(signal.SIGTERM, lambda number, frame: sys.exit(128 + number))
    try:
        {"install": install, "validate": validate, "deb": deb}[args.command](args)
    except Failure as failure:
        print("FAIL: %s" % failure)
        return 1
    print("PASS: packaging %s" % args.command)
    return 0


if __name__ == "__main__":
    sys.exit(main())
