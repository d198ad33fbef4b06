"""Checks of the install layout, the desktop files and the Debian package.

    packaging_checks.py install  --cmake CMAKE --build BUILD [--config CONFIG]
    packaging_checks.py validate --source PACKAGING_DIR --version VERSION
    packaging_checks.py deb      --deb PACKAGE --version VERSION --qt-plugins DIR

install   installs the build into a temporary prefix, starts the program through
          its link in bin/ on a private Xvfb and checks that the main window
          comes up (the program found its pictures) with the application icon.
validate  runs desktop-file-validate and appstreamcli on the desktop entry and
          the metainfo, and checks that the two name each other.
deb       reads the Debian package that scripts/package built: what it holds,
          what it depends on and recommends, how its program was built
          (hardening, no RUNPATH), then unpacks it into a temporary folder and
          shows a reading with both pictures in the unpacked program on a
          private Xvfb, and that it does not remind of updates at start-up
          nor write its settings there. Nothing is installed on the system.

Waiting is a bounded poll, never a fixed sleep; every process a check starts
is ended when it finishes, fails, or is killed.
"""

import argparse
import glob
import json
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
from xsession import (MAIN_TITLE, PICTURE_NAMES, REINSTALL_TITLE, SKIP, Failure, MainWindow, Session,  # noqa: E402
                      XServer, _die_with_parent, _stop as stop, check, days_from_today, poll)

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

def check_picture_link(root):
    """pu beside the program is a relative link to the pictures in share/veltara/pu."""
    link = os.path.join(root, "lib", "veltara", "pu")
    check(os.path.islink(link), "%s is not a link to the shared picture folder" % link)
    check(os.readlink(link) == "../../share/veltara/pu", "%s leads to %s" % (link, os.readlink(link)))
    pictures = sorted(os.listdir(os.path.join(root, "share", "veltara", "pu")))
    check(pictures == sorted(PICTURE_NAMES), "share/veltara/pu holds %s" % pictures)
    check(sorted(os.listdir(link)) == pictures, "pu beside the program does not lead to the pictures")


def check_install_layout(prefix):
    folder = os.path.join(prefix, "lib", "veltara")
    program = os.path.join(folder, PROGRAM)
    check(os.path.isfile(program) and os.access(program, os.X_OK), "no program at %s" % program)
    check_picture_link(prefix)

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
    for name in (PROGRAM, READING_PROGRAM):
        completion = os.path.join(share, "bash-completion", "completions", name)
        check(os.path.isfile(completion), "no bash completion of %s where bash-completion looks" % name)
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


# Ann, 05 January 1980: the Moon and Capricorn, as the window designs them.
PLANET_PICTURE = (4200, 480, 1275, 1605)
ZODIAC_PICTURE = (6600, 480, 1275, 1605)


def expected_package_files():
    files = {"/usr/lib/veltara/veltara", "/usr/bin/veltara", "/usr/lib/veltara/pu",
             "/usr/share/applications/%s.desktop" % APP_ID,
             "/usr/share/metainfo/%s.metainfo.xml" % APP_ID,
             "/usr/bin/%s" % READING_PROGRAM,
             "/usr/share/man/man1/veltara.1.gz", "/usr/share/man/man1/%s.1.gz" % READING_PROGRAM,
             "/usr/share/doc/veltara/copyright", "/usr/share/doc/veltara/changelog.Debian.gz",
             "/usr/share/lintian/overrides/veltara"}
    files |= {"/usr/share/bash-completion/completions/" + name for name in (PROGRAM, READING_PROGRAM)}
    files |= {"/usr/share/veltara/pu/" + name for name in PICTURE_NAMES}
    files |= {"/usr/share/icons/hicolor/%dx%d/apps/%s.png" % (size, size, APP_ID) for size in ICON_SIZES}
    return files


def check_program_build(program):
    """Built with the distribution's hardening, without RUNPATH or .comment."""
    dynamic = run(["readelf", "-d", program])
    check(not re.search(r"\((RUNPATH|RPATH)\)", dynamic), "the packaged program has a search path:\n" + dynamic)
    sections = run(["readelf", "-S", "-W", program])
    check(" .comment " not in sections, "the packaged program keeps its .comment section")
    # Debian 12's C start files (crt1.o, crti.o) carry no control-flow
    # property, so the linker can mark no program of this release, whatever
    # its flags; every other feature is required.
    options = ["--nocfprotection"] if distribution_without_cet_start_files() else []
    print(run(["hardening-check"] + options + [program]))


def distribution_without_cet_start_files():
    start = "/usr/lib/%s/crt1.o" % run(["dpkg-architecture", "-qDEB_HOST_MULTIARCH"]).strip()
    if not os.path.exists(start):
        return False
    return "IBT" not in run(["readelf", "-n", start])


def show_reading(root):
    """The unpacked program, started through usr/bin, shows a reading with both pictures."""
    program = os.path.join(root, "usr", "bin", PROGRAM)
    with Session(program, "deb") as session:
        process = session.start()
        window = MainWindow(session, process)
        check(session.dialogs() == [], "a message at start-up: %r" % session.dialogs())
        window.calculate("Ann", "05", "January", "1980")
        window.wait_expanded(10)
        shot = window.painted_screenshot(os.path.join(session.root, "reading.png"))
        check(window.shows_picture(shot, PLANET_PICTURE), "the unpacked program shows no planet picture")
        check(window.shows_picture(shot, ZODIAC_PICTURE), "the unpacked program shows no zodiac picture")
        running = os.path.realpath("/proc/%d/exe" % process.pid)
        check(running == os.path.realpath(os.path.join(root, "usr", "lib", "veltara", PROGRAM)),
              "usr/bin/%s started %s" % (PROGRAM, running))
        check(not os.path.exists(session.settings_file), "the first start wrote %s" % session.settings_file)
        window.exit_and_expect_status_zero()


def no_update_reminder(root):
    """The package's program does not remind of updates: the package manager
    brings them. A reminder that is due shows nothing and the settings file
    is not written; Help, Check For Updates still opens the download page.
    The build tree's program, with the reminder, is checked by xvfb_reminder."""
    program = os.path.join(root, "usr", "bin", PROGRAM)
    with Session(program, "deb-reminder") as session:
        # Twenty days ago: the program with the reminder asks now.
        session.write_settings("[Settings]\nDuration=%s\n" % days_from_today(-20))
        os.utime(session.settings_file, (1e9, 1e9))
        with open(session.settings_file, "rb") as store:
            before = store.read()
        process = session.start()
        messages = []

        def message_or_main_window():
            messages.extend(session.dialogs(process.pid))
            return process.poll() is not None or messages or session.windows(MAIN_TITLE, pid=process.pid)

        check(poll(message_or_main_window, 20), "the main window did not appear:\n" + session.output_of(process))
        check(messages == [], "a message came up at start-up (the update reminder?): windows %r" % messages)
        window = MainWindow(session, process)
        check(session.dialogs(process.pid) == [], "a message beside the main window at start-up")
        with open(session.settings_file, "rb") as store:
            check(store.read() == before, "the settings file was rewritten at start-up")
        check(os.stat(session.settings_file).st_mtime == 1e9, "the settings file was written at start-up")

        # Help opens with its first item active; the next is Check For Updates.
        session.keys(window.id, "alt+h", "Down", "Return")
        calls = poll(session.browser_calls, 10)
        urls = [line[4:] for line in calls.splitlines() if line.startswith("url ")]
        check(len(urls) == 1 and urls[0].endswith("page=download-web-page"),
              "Check For Updates did not open the download page: %r" % calls)
        window.exit_and_expect_status_zero()


def check_build_files(package, version, architecture):
    """Every file of the build lies beside the package: what its .changes
    names (source package, debug symbols, .buildinfo), so lintian and dput
    find them all."""
    folder = os.path.dirname(package)
    changes = os.path.join(folder, "veltara_%s_%s.changes" % (version, architecture))
    check(os.path.isfile(changes), "no %s beside the package" % os.path.basename(changes))
    with open(changes) as file:
        listed = re.search(r"^Files:\n((?: .*\n?)+)", file.read(), re.MULTILINE)
    check(listed, "%s lists no files" % changes)
    names = [line.split()[-1] for line in listed.group(1).splitlines()]
    upstream = version.rsplit("-", 1)[0]
    for name in ("veltara_%s.dsc" % version, "veltara_%s.orig.tar.xz" % upstream,
                 "veltara_%s_%s.buildinfo" % (version, architecture),
                 "veltara-dbgsym_%s_%s.deb" % (version, architecture), os.path.basename(package)):
        check(name in names, "%s does not name %s" % (os.path.basename(changes), name))
    missing = [name for name in names if not os.path.isfile(os.path.join(folder, name))]
    check(not missing, "%s names files that are not beside it: %s" % (os.path.basename(changes), missing))


def deb(args):
    need_tools("dpkg-deb", "dpkg", "dpkg-architecture", "objdump", "readelf", "ldd", "hardening-check",
               "Xvfb", "xdotool")
    if not os.path.isfile(args.deb):
        print("SKIP: no package at %s; scripts/package builds it" % args.deb)
        sys.exit(SKIP)
    folder = tempfile.mkdtemp(prefix="veltara-deb-")
    try:
        package = args.deb
        architecture = run(["dpkg", "--print-architecture"]).strip()
        check(os.path.basename(package) == "veltara_%s_%s.deb" % (args.version, architecture),
              "the package is named %s" % os.path.basename(package))
        check_build_files(package, args.version, architecture)

        entries = deb_listing(package)
        files = {path for path, (mode, _) in entries.items() if not mode.startswith("d")}
        expected = expected_package_files()
        check(files == expected, "the package holds what it should not: %s\nand lacks: %s"
              % (sorted(files - expected), sorted(expected - files)))
        program_mode, _ = entries["/usr/lib/veltara/veltara"]
        check(program_mode.startswith("-rwxr-xr-x"), "the program's mode is %s" % program_mode)
        for link, target in (("/usr/bin/veltara", "../lib/veltara/veltara"),
                             ("/usr/lib/veltara/pu", "../../share/veltara/pu")):
            link_mode, link_target = entries[link]
            check(link_mode.startswith("l") and link_target == target,
                  "%s is %s -> %s, not a relative link to %s" % (link, link_mode, link_target, target))

        fields = {name: run(["dpkg-deb", "-f", package, name]).strip()
                  for name in ("Package", "Version", "Architecture", "Section", "Maintainer", "Homepage",
                               "Depends", "Recommends")}
        check(fields["Package"] == "veltara", "Package: %s" % fields["Package"])
        check(fields["Version"] == args.version, "Version: %s" % fields["Version"])
        check(fields["Architecture"] == architecture, "Architecture: %s" % fields["Architecture"])
        check(fields["Section"] == "utils", "Section: %s" % fields["Section"])
        check(re.fullmatch(r".+ <[^@ ]+@[^@ ]+>", fields["Maintainer"]), "Maintainer: %s" % fields["Maintainer"])
        check(fields["Homepage"] == "http://www.quorvale.com", "Homepage: %s" % fields["Homepage"])
        recommends = {relation.strip().split()[0] for relation in fields["Recommends"].split(",") if relation.strip()}
        check("xdg-utils" in recommends, "Recommends: %s does not name xdg-utils, which opens the links"
              % fields["Recommends"])
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
        reading = os.path.join(root, "usr", "bin", READING_PROGRAM)
        providers = {}
        for binary in (program, reading):
            for library, path in linked_libraries(binary).items():
                check(path, "the packaged %s links %s, which is not found here" % (os.path.basename(binary), library))
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

        check_program_build(program)
        check_program_build(reading)
        check(entries["/usr/bin/" + READING_PROGRAM][0].startswith("-rwxr-xr-x"),
              "%s's mode is %s" % (READING_PROGRAM, entries["/usr/bin/" + READING_PROGRAM][0]))
        answer = json.loads(run([reading, "--json", "Ann", "1980-01-05"]))
        check((answer.get("nameNumber"), answer.get("birthNumber"), answer.get("month")) == (2, 6, "January"),
              "the packaged %s reads Ann, 5 January 1980 as %r" % (READING_PROGRAM, answer))
        check_picture_link(os.path.join(root, "usr"))
        show_reading(root)
        no_update_reminder(root)
        print("%s: %d files; Depends: %s; Recommends: %s"
              % (os.path.basename(package), len(files), fields["Depends"], fields["Recommends"]))
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
    deb_parser.add_argument("--deb", required=True)
    deb_parser.add_argument("--version", required=True)
    deb_parser.add_argument("--qt-plugins", required=True)
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
