"""Lapidor as a screen reader meets it: through the Linux desktop's
accessibility stack (AT-SPI over D-Bus), on a virtual display.

    /usr/bin/python3 accessibility_test.py LAPIDOR

Starts Xvfb, a private D-Bus session with the accessibility bus and its
registry, and Lapidor in a temporary folder with a levels.txt of its own and
a temporary home, then reads and drives Lapidor through AT-SPI. Every
process it starts, it stops. Where the stack cannot be started, it says so
in one line beginning "skipped here:" and exits with status 0, which CTest
reports as skipped. pyatspi loads only under Debian's own Python.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unicodedata

LEVELS = "[LEVEL=1 XP=0]\n[LEVEL=2 XP=1000]\n[LEVEL=3 XP=3000]\n[LEVEL=4 XP=6000]\n[LEVEL=5 XP=10000]\n"
KINDS = ["Agate", "Amethyst", "Aquamarine", "Carnelian", "Diamond", "Emerald",
         "Garnet", "Limestone", "Malachite", "Moonstone", "Ruby", "Sapphire"]
GEM_CAPTIONS = [f"Rough {kind}:" for kind in KINDS] + [f"Finely Cut {kind}:" for kind in KINDS]
WEB_SITE = "https://varnhollow.example.org/"
# Characters a reader does not see: format and control characters (bidi
# isolates and marks among them), private use, unassigned, line separators.
INVISIBLE = {"Cf", "Cc", "Co", "Cn", "Zl", "Zp"}


class Skip(Exception):
    pass


class Stack:
    """Xvfb, the session bus, the accessibility bus and its registry."""

    def __init__(self, workdir):
        self.workdir = workdir
        self.processes = []
        self.session_bus_pid = None
        self.env = dict(os.environ)

    def start(self):
        for program in ("Xvfb", "dbus-launch"):
            if not shutil.which(program):
                raise Skip(f"{program} is missing (install xvfb and dbus-x11)")
        for program in ("/usr/libexec/at-spi-bus-launcher", "/usr/libexec/at-spi2-registryd"):
            if not os.access(program, os.X_OK):
                raise Skip(f"{program} is missing (install at-spi2-core)")
        self._start_display()
        runtime = os.path.join(self.workdir, "runtime")
        os.mkdir(runtime, 0o700)
        self.env["XDG_RUNTIME_DIR"] = runtime
        try:
            launched = subprocess.run(["dbus-launch", "--sh-syntax"], env=self.env, capture_output=True,
                                      text=True, timeout=20, check=True).stdout
        except (subprocess.SubprocessError, OSError) as error:
            raise Skip(f"no D-Bus session could be started: {error}") from error
        for line in launched.splitlines():
            name, _, value = line.partition("=")
            value = value.rstrip(";").strip("'")
            if name == "DBUS_SESSION_BUS_ADDRESS":
                self.env[name] = value
            elif name == "DBUS_SESSION_BUS_PID":
                self.session_bus_pid = int(value)
        if "DBUS_SESSION_BUS_ADDRESS" not in self.env or self.session_bus_pid is None:
            raise Skip("dbus-launch gave no session bus")
        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        self._spawn(["/usr/libexec/at-spi2-registryd"])
        os.environ.update(self.env)  # for pyatspi in this process

    def _start_display(self):
        # Displays from :90 on, so that other runs on the machine keep theirs.
        for number in range(90, 130):
            if os.path.exists(f"/tmp/.X{number}-lock"):
                continue
            server = self._spawn(["Xvfb", f":{number}", "-screen", "0", "1024x768x24", "-nolisten", "tcp"])
            deadline = time.monotonic() + 10
            while time.monotonic() < deadline and server.poll() is None:
                if os.path.exists(f"/tmp/.X11-unix/X{number}"):
                    self.env["DISPLAY"] = f":{number}"
                    return
                time.sleep(0.05)
            self._stop(server)
        raise Skip("Xvfb could not open a display")

    def _spawn(self, command, env=None, quiet=True, cwd=None):
        # Each in a process group of its own, so that what it starts stops with it.
        process = subprocess.Popen(command, env=env or self.env, cwd=cwd, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL if quiet else None,
                                   start_new_session=True)
        self.processes.append(process)
        return process

    def spawn(self, command, env=None, cwd=None):
        """Starts a process whose complaints are shown."""
        return self._spawn(command, env=env, quiet=False, cwd=cwd)

    @staticmethod
    def _stop(process):
        if process.poll() is None:
            try:
                os.killpg(process.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()

    def stop(self):
        for process in reversed(self.processes):
            self._stop(process)
        if self.session_bus_pid:
            try:
                os.kill(self.session_bus_pid, signal.SIGTERM)
            except ProcessLookupError:
                pass


def import_pyatspi():
    try:
        import pyatspi  # pylint: disable=import-outside-toplevel
        from gi.repository import GLib  # pylint: disable=import-outside-toplevel
    except ImportError as error:
        raise Skip(f"pyatspi cannot be loaded by {sys.executable} (install python3-pyatspi): {error}") from error
    return pyatspi, GLib


def wait_for(what, probe, timeout=15, pump=None):
    deadline = time.monotonic() + timeout
    while True:
        try:
            found = probe()
        except AssertionError:
            raise
        except Exception:  # pylint: disable=broad-except
            found = None  # the application may still be registering
        if found:
            return found
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        if pump:
            pump()
        time.sleep(0.05)


def lapidor_application(pyatspi):
    desktop = pyatspi.Registry.getDesktop(0)
    return next((app for app in desktop if app is not None and app.name == "Lapidor"), None)


def children(accessible):
    accessible.clearCache()
    return [accessible.getChildAtIndex(i) for i in range(accessible.childCount)]


def has_state(accessible, state):
    accessible.clearCache()
    return accessible.getState().contains(state)


def shown(pyatspi, accessible):
    return has_state(accessible, pyatspi.STATE_SHOWING)


def outline(pyatspi, accessible):
    """The role and name of each child a screen reader is offered."""
    return [(child.getRoleName(), child.name) for child in children(accessible) if shown(pyatspi, child)]


def find(accessible, role, name):
    for child in children(accessible):
        if child.getRoleName() == role and child.name == name:
            return child
        found = find(child, role, name)
        if found:
            return found
    return None


def action_names(accessible):
    actions = accessible.queryAction()
    return [actions.getName(i) for i in range(actions.nActions)]


def do_action(accessible, name):
    actions = accessible.queryAction()
    actions.doAction(action_names(accessible).index(name))


def field_text(accessible):
    return accessible.queryText().getText(0, -1)


def press_about(pyatspi):
    """In a child process: the About window is modal, so the call that opens
    it returns only once it has closed."""
    about = find(lapidor_application(pyatspi), "menu item", "About ")
    do_action(about, "Press")


def check(lapidor, work, stack):
    pyatspi, GLib = import_pyatspi()
    try:
        pyatspi.Registry.getDesktop(0).childCount  # pylint: disable=expression-not-assigned
    except Exception as error:  # pylint: disable=broad-except
        raise Skip(f"the accessibility registry does not answer: {error}") from error

    events = []

    def pump():
        context = GLib.MainContext.default()
        while context.iteration(False):
            pass

    def record(event):
        events.append((event.type, event.detail1, event.source, event.any_data))

    pyatspi.Registry.registerEventListener(record, "object:state-changed:showing", "object:text-changed:insert")

    env = dict(stack.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb", LANG="C.UTF-8", LC_ALL="",
               HOME=os.path.join(work, "home"), XDG_CONFIG_HOME=os.path.join(work, "home", "config"))
    os.makedirs(env["XDG_CONFIG_HOME"])
    folder = os.path.join(work, "folder")
    os.mkdir(folder)
    with open(os.path.join(folder, "levels.txt"), "w", encoding="ascii") as levels:
        levels.write(LEVELS)
    program = stack.spawn([lapidor], cwd=folder, env=env)

    def running():
        if program.poll() is not None:
            raise AssertionError(f"Lapidor exited with {program.returncode}")
        return lapidor_application(pyatspi)

    app = wait_for("Lapidor on the accessibility bus", running, pump=pump)
    window = wait_for("the main window", lambda: find(app, "frame", "Lapidor :: By Edda Rowan"))
    client = wait_for("the client area", lambda: next(c for c in children(window) if c.getRoleName() == "filler"))

    # Every field is named by its caption, and comes after it, column by column.
    gems = find(client, "panel", "Lapidor")
    expected = [pair for caption in GEM_CAPTIONS for pair in (("label", caption), ("text", caption))]
    assert outline(pyatspi, gems) == expected + [("push button", "Calculate")], outline(pyatspi, gems)
    options = find(client, "panel", "Options")
    assert outline(pyatspi, options) == [
        ("radio button", "Current Level"), ("label", "Current Level:"), ("text", "Current Level:"),
        ("radio button", "Current Experience"), ("label", "Current Experience:"), ("text", "Current Experience:"),
    ], outline(pyatspi, options)

    # The report reads as it stands on the screen; the rule is a separator.
    output = find(client, "panel", "Output")
    report = ["Total Gems", "Total XP From Roughs", "Total XP From Finely Cuts", "Total XP", None,
              "Old XP", "New XP", "Old Level", "New Level"]
    expected = [("separator", "") if line is None else ("label", f"{line}: N/A") for line in report]
    assert outline(pyatspi, output) == expected, outline(pyatspi, output)

    # What no one sees is not offered: the level lists below the window, the
    # status bar's size grip.
    hidden = [child.name for child in children(client) if not shown(pyatspi, child)]
    assert hidden == ["Level labels", "Level XP values"], hidden
    bar = next(c for c in children(window) if c.getRoleName() == "status bar")
    assert bar.name == "Status bar", bar.name
    assert [name for _, name in outline(pyatspi, bar)][0] == "Lapidor", outline(pyatspi, bar)
    assert all(child.getRoleName() == "label" for child in children(bar) if shown(pyatspi, child))
    menus = next(c for c in children(window) if c.getRoleName() == "menu bar")
    assert menus.name == "File, Help", menus.name  # as the C locale lists them
    assert [children(item)[0].name for item in children(menus)] == ["File", "Help"]

    # Assistive technology meets the digits-only rule too; a screen reader
    # that follows the field by its events hears last what it holds.
    agate = find(gems, "text", "Rough Agate:")
    agate.queryEditableText().setTextContents("abc")
    assert field_text(agate) == "0", field_text(agate)

    def inserted():
        return [data for kind, _, _, data in events if kind.startswith("object:text-changed:insert")]

    wait_for("the field's text told last", lambda: "abc" in inserted() and inserted()[-1] == "0", pump=pump)
    agate.queryEditableText().setTextContents(" 1\n")
    assert field_text(agate) == "1", field_text(agate)
    find(gems, "text", "Finely Cut Agate:").queryEditableText().setTextContents("2")
    find(options, "text", "Current Level:").queryEditableText().setTextContents("2")

    # Calculate's action writes the report, names free of invisible
    # characters, and a screen reader is told it as a notification.
    do_action(find(gems, "push button", "Calculate"), "Press")
    results = {"Total Gems": "3", "Total XP From Roughs": "5000", "Total XP From Finely Cuts": "40000",
               "Total XP": "45000", "Old XP": "1000", "New XP": "46000", "Old Level": "2", "New Level": "5"}
    expected = [("separator", "") if line is None else ("label", f"{line}: {results[line]}") for line in report]
    wait_for("the report", lambda: outline(pyatspi, output)[0] != ("label", "Total Gems: N/A"), pump=pump)
    # What the report says is checked last, so that the rest is checked
    # whatever it says.
    names = outline(pyatspi, output)
    invisible = [(name, f"U+{ord(c):04X}") for _, name in names for c in name if unicodedata.category(c) in INVISIBLE]
    wrong = [f"invisible characters in {invisible}"] if invisible else []
    if names != expected:
        wrong.append(f"the report reads {names}")

    def notification():
        for kind, appeared, source, _ in events:
            source.clearCache()
            if kind == "object:state-changed:showing" and appeared and source.getRoleName() == "notification":
                return source.name
        return None

    said = wait_for("the report's notification", notification, timeout=10, pump=pump)
    if said != ". ".join(f"{line}: {results[line]}" for line in report if line):
        wrong.append(f"the notification says {said!r}")

    # The About window's link is a link, reachable from the keyboard, that
    # can be pressed; both lines of its rule are separators.
    opener = stack.spawn([sys.executable, __file__, "--press-about"], env=stack.env)
    dialog = wait_for("the About window", lambda: find(app, "dialog", "About Lapidor"))
    assert outline(pyatspi, dialog) == [
        ("label", "The Varnhollow Lapidor"), ("label", "Created by Edda Rowan"), ("link", WEB_SITE),
        ("separator", ""), ("separator", ""), ("push button", "OK"),
    ], outline(pyatspi, dialog)
    link = find(dialog, "link", WEB_SITE)
    assert has_state(link, pyatspi.STATE_FOCUSABLE)
    assert "Press" in action_names(link), action_names(link)
    link.queryComponent().grabFocus()
    wait_for("the focus on the link", lambda: has_state(link, pyatspi.STATE_FOCUSED))
    do_action(find(dialog, "push button", "OK"), "Press")
    opener.wait(timeout=20)
    wait_for("the About window to close", lambda: not shown(pyatspi, dialog))

    # Lapidor closes on SIGTERM as File > Exit closes it.
    program.send_signal(signal.SIGTERM)
    assert program.wait(timeout=20) == 0, f"Lapidor exited with {program.returncode}"
    assert not wrong, "; ".join(wrong)


def main():
    if sys.argv[1:] == ["--press-about"]:
        pyatspi, _ = import_pyatspi()
        try:
            press_about(pyatspi)
        except Exception:  # pylint: disable=broad-except
            pass  # the call may time out while the window stays open
        return 0
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    with tempfile.TemporaryDirectory(prefix="lapidor-atspi-") as work:
        stack = Stack(work)
        try:
            stack.start()
            check(os.path.abspath(sys.argv[1]), work, stack)
        except Skip as reason:
            print(f"skipped here: {reason}")
            return 0
        finally:
            stack.stop()
    print("Lapidor reads right through AT-SPI")
    return 0


if __name__ == "__main__":
    sys.exit(main())
