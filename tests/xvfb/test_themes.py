"""Both windows keep their light classic look under dark desktop themes.

Each case starts the program under one desktop theme: none (the light
default), the dark style GNOME users install for Qt, and the GTK platform
theme with a dark GTK theme. In screenshots of the compact window with typed
inputs, of a reading and of the About window, every text must stand out from
its own background, and the fixed colours (white client area, light banners,
the character text's highlight colour, the captions' colours) must hold. A
message box, which follows the desktop theme, proves that the theme was in
force."""

import glob
import os
import sys

from xsession import (APP_TITLE, MAIN_TITLE, MainWindow, Picture, Session, Skipped, arguments, check, contrast,
                      distance, luminance, poll, px, run_cases)

args = arguments()

# Text elements of the main window: name, designed twips rectangle (only the
# part not covered by a neighbour, and for a list only its text part).
INPUT_TEXTS = (
    ("Label10", (120, 120, 3735, 255)),
    ("Label13", (120, 550, 1455, 260)),
    ("Text1", (120, 810, 3735, 360)),
    ("Label7", (240, 1200, 495, 255)),
    ("Label4", (1320, 1200, 615, 255)),
    ("Label8", (2880, 1200, 615, 255)),
    ("myday", (120, 1470, 420, 360)),
    ("Combo1", (840, 1470, 1100, 360)),
    ("myyear", (2520, 1470, 900, 360)),
    ("Label1", (120, 1920, 1215, 255)),
    ("Label5", (2160, 1920, 1215, 255)),
    ("Option2", (1560, 2280, 975, 375)),
    ("option1", (2640, 2280, 1215, 375)),
)
READING_TEXTS = INPUT_TEXTS + (
    ("Text2", (1440, 1920, 255, 285)),
    ("Text7", (3480, 1920, 255, 285)),
    ("planet", (4200, 240, 1275, 255)),
    ("Label3", (5640, 480, 855, 255)),
    ("elements", (5640, 840, 855, 255)),
    ("Label6", (5640, 1320, 855, 255)),
    ("letters", (5640, 1680, 855, 255)),
    ("zodiac", (6600, 240, 1275, 255)),
    ("Label9", (4200, 2160, 1695, 255)),
    ("Label11", (6120, 2160, 1755, 255)),
    ("pcolors", (4200, 2520, 1755, 495)),
    ("scolors", (6120, 2520, 1755, 495)),
    ("Label2", (120, 3120, 7815, 1200)),
    ("lblCobrand", (0, 4320, 6345, 615)),
    ("Label12", (6480, 4320, 1455, 615)),
)
# The About window's texts, relative to its client area (the frame lies at
# 120, 120; its caption on its top border).
ABOUT_TEXTS = (
    ("Frame1 caption", (240, 120, 3000, 200)),
    ("Label1", (240, 480, 5895, 3015)),
    ("Label3", (240, 3600, 5775, 480)),
    ("lblCoBrand", (2040, 4080, 3000, 240)),
    ("Label2", (240, 4680, 5895, 240)),
    ("Label10", (1200, 4920, 3375, 255)),
)

# Fixed colours: the core colour of a text, or the ground of a box.
MAIN_COLOURS = {
    "Label10": (255, 0, 0),
    "Label7": (0, 0, 0),
    "Label1": (128, 128, 255),
    "Label5": (128, 128, 255),
    "Label3": (128, 128, 255),
    "Label2": (10, 36, 106),
    "lblCobrand": (0, 0, 255),
}
ABOUT_COLOURS = {
    "Label1": (0, 0, 0),
    "lblCoBrand": (0, 0, 255),
    "Label10": (255, 0, 0),
}
BUTTON_FACE = (240, 240, 240)
WHITE = (255, 255, 255)


def adwaita_dark(session):
    if not glob.glob("/usr/lib/*/qt6/plugins/styles/adwaita*.so"):
        raise Skipped("the Adwaita style for Qt 6 is not installed (package adwaita-qt6)")
    return ("-style", "Adwaita-Dark")


def gtk_dark(session):
    if not glob.glob("/usr/lib/*/qt6/plugins/platformthemes/libqgtk3.so"):
        raise Skipped("the GTK platform theme for Qt 6 is not installed (package qt6-gtk-platformtheme)")
    session.extra_env.update({"QT_QPA_PLATFORMTHEME": "gtk3", "GTK_THEME": "Adwaita:dark"})
    if "ASAN_OPTIONS" in os.environ:
        # Under the sanitizers: whole allocation stacks, so that the leak
        # suppression of GTK's own start-up finds gtk_init in them.
        session.extra_env["ASAN_OPTIONS"] = os.environ["ASAN_OPTIONS"] + ":fast_unwind_on_malloc=0"
    return ()


def light(session):
    return ()


def check_texts(picture, rect_of, texts, colours, what):
    """Every text stands out from its own ground; fixed colours hold."""
    problems = []
    for name, twips in texts:
        rect = rect_of(*twips)
        ground = picture.background(rect)
        core = picture.most_distinct(rect, ground)
        ratio = contrast(ground, core)
        if ratio < 3.0:
            problems.append("%s: text %r on %r, contrast %.2f" % (name, core, ground, ratio))
        if name in colours and distance(core, colours[name]) > 48:
            problems.append("%s: text colour %r, designed %r" % (name, core, colours[name]))
        if luminance(ground) < 0.6:
            problems.append("%s: dark ground %r" % (name, ground))
    check(not problems, "%s:\n  %s" % (what, "\n  ".join(problems)))


def dialog_ground(session, pid, shot):
    """The ground colour of the one message box the program shows."""
    dialogs = poll(lambda: session.dialogs(pid), 10)
    check(len(dialogs) == 1, "expected one message box, found %r" % dialogs)
    x, y, width, height = session.geometry(dialogs[0][0])
    session.screenshot(shot)
    return dialogs[0], Picture(shot).background((x, y, width, height))


def theme_case(theme, dark):
    def case():
        with Session(args.program, "themes") as session:
            program = session.start(args=theme(session))
            window = MainWindow(session, program)
            name = theme.__name__

            # The compact window with typed inputs.
            window.click_name_field()
            session.type_text(window.id, "Ann")
            for text in ("05", "January", "1980"):
                session.keys(window.id, "Tab")
                session.type_text(window.id, text)
            session.keys(window.id, "Tab")  # to Calculate: no caret in the lists
            shot = os.path.join(args.out, "xvfb_themes_%s_compact.png" % name)
            window.painted_screenshot(shot)
            picture = Picture(shot)
            check_texts(picture, window.screen_rect, INPUT_TEXTS, MAIN_COLOURS, "compact window under " + name)

            # A reading.
            session.keys(window.id, "space")
            window.wait_expanded(10)
            session.xdo("mousemove", "1270", "1010")
            shot = os.path.join(args.out, "xvfb_themes_%s_reading.png" % name)
            window.painted_screenshot(shot)
            picture = Picture(shot)
            check_texts(picture, window.screen_rect, READING_TEXTS, MAIN_COLOURS, "reading under " + name)
            # The number boxes show their digit as a text box does: on the left.
            for name in ("Text2", "Text7"):
                x, y, width, height = window.screen_rect(*dict(READING_TEXTS)[name], inset=2)
                ground = picture.background((x, y, width, height))
                inked = [column for column in range(x, x + width)
                         if any(distance(picture.pixel(column, row), ground) > 64 for row in range(y, y + height))]
                check(inked and (min(inked) + max(inked)) / 2 < x + width / 2,
                      "%s does not show its digit on the left (ink in columns %r of %d..%d)"
                      % (name, inked, x, x + width))
            x, y, _, _ = session.geometry(window.id)
            menu = window.menu_bar_height()
            check(picture.background((x + px(3960), y + menu + px(1000), px(200), px(400))) == WHITE,
                  "the client area is not white")
            banner = picture.background(window.screen_rect(0, 4320, 6345, 615))
            check(distance(banner, BUTTON_FACE) <= 16, "the banner's ground is %r, not the light button face" % (banner,))

            # The About window.
            session.keys(window.id, "alt+h", "a")
            about = poll(lambda: [w for w in session.windows(MAIN_TITLE, program.pid) if w != window.id], 10)
            check(about, "the About window did not open")
            shot = os.path.join(args.out, "xvfb_themes_%s_about.png" % name)
            check(poll(lambda: session.screenshot(shot) or
                       Picture(shot).background(session.geometry(about[0])) == WHITE, 10),
                  "the About window is not white")
            ax, ay, _, _ = session.geometry(about[0])

            def about_rect(left, top, width, height):
                return (ax + px(left), ay + px(top), px(left + width) - px(left), px(top + height) - px(top))

            check_texts(Picture(shot), about_rect, ABOUT_TEXTS, ABOUT_COLOURS, "About window under " + name)
            session.close_box(about[0])
            check(poll(lambda: len(session.windows(MAIN_TITLE, program.pid)) == 1, 10), "the About window stayed open")

            # A message box follows the desktop theme: proof that it is in force.
            session.keys(window.id, "alt+f", "l")
            window.wait_compact(10)
            session.keys(window.id, "alt+f", "c")
            (box, title), ground = dialog_ground(session, program.pid,
                                                 os.path.join(args.out, "xvfb_themes_%s_message.png" % name))
            check(title == APP_TITLE, "message box title %r" % title)
            check((luminance(ground) < 0.2) == dark, "the message box ground %r does not follow the %s theme"
                  % (ground, "dark" if dark else "light"))
            session.keys(box, "Return")
            check(poll(lambda: not session.dialogs(program.pid), 10), "the message box did not close")
            window.exit_and_expect_status_zero()
    return case


sys.exit(run_cases([
    ("light desktop: the designed look", theme_case(light, False)),
    ("-style Adwaita-Dark: both windows stay light and legible", theme_case(adwaita_dark, True)),
    ("GTK platform theme, Adwaita:dark: both windows stay light and legible", theme_case(gtk_dark, True)),
]))
