#!/usr/bin/python3
"""The options page's drop-down lists as Orca meets them on the accessibility bus.

Starts the real program in an empty folder on a private Xvfb, within the D-Bus session this
script runs in, and reads it with pyatspi: "Anschluß" and "Wahlart" each label a combo box
named by its current item, and a new choice renames the combo box and says so in a
name-change event.

    dbus-run-session -- /usr/bin/python3 atspi_drop_down_lists.py PROGRAM
"""
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

WHOLE_RUN_SECONDS = 50
STEP_SECONDS = 15


class Failure(Exception):
    pass


def on_alarm(signum, frame):
    raise Failure(f"the whole run took longer than {WHOLE_RUN_SECONDS} s")


def start_xvfb():
    """A display of its own: Xvfb picks a free number and writes it to the pipe."""
    read_end, write_end = os.pipe()
    # -noreset: the bus launcher's short X connection must not reset the server under us.
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-noreset", "-nolisten", "tcp",
         "-screen", "0", "1280x1024x24"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    end = time.monotonic() + STEP_SECONDS
    while not number.endswith(b"\n") and time.monotonic() < end:
        ready, _, _ = select.select([read_end], [], [], 0.5)
        if ready:
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
    os.close(read_end)
    if not number.strip():
        stop(server)
        raise Failure("Xvfb did not start")
    return server, ":" + number.decode().strip()


def stop(process, grace=10):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(grace)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait(2)


def prepare_session(display):
    """The session as a desktop with a screen reader has it: the accessibility bus on."""
    from gi.repository import Gio, GLib
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    # The bus launcher and the registry, started on demand, see this display and keep
    # their settings in memory; the caller's display and dconf stay untouched.
    bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                  "UpdateActivationEnvironment",
                  GLib.Variant("(a{ss})", ({"DISPLAY": display, "GSETTINGS_BACKEND": "memory"},)),
                  None, Gio.DBusCallFlags.NONE, STEP_SECONDS * 1000)
    # What a screen reader sets when it starts; Qt reads it when the program starts.
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, STEP_SECONDS * 1000)


def pump():
    from gi.repository import GLib
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, condition, timeout=STEP_SECONDS):
    """`what` may be a function, to tell how things stand when the time is up."""
    end = time.monotonic() + timeout
    while True:
        pump()
        result = condition()
        if result:
            return result
        if time.monotonic() > end:
            raise Failure(f"waited {timeout} s in vain for {what() if callable(what) else what}")
        time.sleep(0.05)


def descendants(accessible, depth=0):
    import pyatspi
    if accessible is None or depth > 30:
        return
    yield accessible
    # Table cells and list items hold no control of their own.
    if accessible.getRole() in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_LIST,
                                pyatspi.ROLE_TREE, pyatspi.ROLE_MENU_BAR):
        return
    for child in accessible:
        yield from descendants(child, depth + 1)


def fresh_name(accessible):
    accessible.clear_cache()
    return accessible.name


def labels_of(accessible):
    import pyatspi
    names = []
    for relation in accessible.getRelationSet():
        if relation.getRelationType() != pyatspi.RELATION_LABELLED_BY:
            continue
        for i in range(relation.getNTargets()):
            target = relation.getTarget(i)
            if target.getRole() == pyatspi.ROLE_LABEL:
                names.append(target.name)
    return names


def find_application(pid):
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
    for application in desktop:
        if application is not None and application.get_process_id() == pid:
            return application
    return None


def press(accessible, action_name):
    actions = accessible.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if action_name not in names:
        raise Failure(f"{accessible.name!r} offers {names}, not {action_name!r}")
    actions.doAction(names.index(action_name))


def showing_combo_boxes(application):
    import pyatspi
    return [accessible for accessible in descendants(application)
            if accessible.getRole() == pyatspi.ROLE_COMBO_BOX
            and accessible.getState().contains(pyatspi.STATE_SHOWING)]


def by_label(combos):
    return {label: combo for combo in combos for label in labels_of(combo)}


def xdotool(display, *arguments):
    subprocess.run(["xdotool", *arguments], env=dict(os.environ, DISPLAY=display),
                   check=True, timeout=STEP_SECONDS, stdout=subprocess.DEVNULL)


def choose(display, combo, key, expected, renames):
    """Opens the list through its "Press" action, as a screen reader can, and picks with
    the keyboard; the name read afresh and the name-change event both give the new item."""
    import pyatspi
    press(combo, "Press")
    wait_for(lambda: f"the list under {fresh_name(combo)!r} to open",
             lambda: combo.getState().contains(pyatspi.STATE_EXPANDED))
    # Only what follows the key presses counts: the first start renamed the lists already.
    pump()
    before = len(renames)
    xdotool(display, "key", "--delay", "50", key, "Return")
    wait_for(lambda: f"the name {expected!r}, read {fresh_name(combo)!r}",
             lambda: fresh_name(combo) == expected)
    wait_for(lambda: f"a name-change event {expected!r}, had {renames[before:]}",
             lambda: (combo.path, expected) in renames[before:])


def check(program, display, folder):
    import pyatspi
    renames = []

    def on_rename(event):
        if isinstance(event.any_data, str):
            renames.append((event.source.path, event.any_data))

    # Before the program starts, so that its bridge knows of the listener from the outset.
    # Qt sends a combo box's rename only to listeners of value changes, as Orca is one.
    pyatspi.Registry.registerEventListener(
        on_rename, "object:property-change:accessible-name")
    pyatspi.Registry.registerEventListener(lambda event: None, "object:value-changed")

    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", HOME=folder,
               XDG_RUNTIME_DIR=folder)
    process = subprocess.Popen([program, "--data", folder], cwd=folder, env=env)
    try:
        application = wait_for("the program on the accessibility bus",
                               lambda: find_application(process.pid))
        # A first start creates the phone book and says so in a box, then shows the options.
        ok = wait_for("the box about the new phone book", lambda: next(
            (a for a in descendants(application)
             if a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a.name == "OK"), None))
        press(ok, "Press")
        lists = wait_for(
            lambda: "combo boxes labelled Anschluß and Wahlart, found " + ", ".join(
                f"{combo.name!r} labelled {labels_of(combo)}"
                for combo in showing_combo_boxes(application)),
            lambda: (found if {"Anschluß", "Wahlart"} <= (
                found := by_label(showing_combo_boxes(application))).keys() else None))
        port, method = lists["Anschluß"], lists["Wahlart"]
        for combo, shown in ((port, "COM1"), (method, "Puls")):
            if fresh_name(combo) != shown:
                raise Failure(f"labelled {labels_of(combo)}: named {fresh_name(combo)!r}, "
                              f"not {shown!r}")

        window = subprocess.run(
            ["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(process.pid)],
            env=dict(os.environ, DISPLAY=display), check=True, timeout=STEP_SECONDS,
            capture_output=True, text=True).stdout.split()[0]
        # The keys reach the open list through the window with the input focus.
        xdotool(display, "windowfocus", "--sync", window)
        choose(display, port, "End", "COM4", renames)
        choose(display, method, "Home", "Ton", renames)
    finally:
        stop(process)
    if process.returncode != 0:
        raise Failure(f"the program ended with {process.returncode}")


def main():
    if len(sys.argv) != 2 or "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        sys.exit(__doc__)
    signal.signal(signal.SIGALRM, on_alarm)
    signal.alarm(WHOLE_RUN_SECONDS)
    folder = tempfile.mkdtemp(prefix="tarvok-atspi-")
    server = None
    try:
        server, display = start_xvfb()
        # pyatspi looks for the bus on this display first; never on a bus from outside.
        os.environ["DISPLAY"] = display
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        prepare_session(display)
        check(sys.argv[1], display, folder)
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    finally:
        signal.alarm(0)
        if server:
            stop(server)
        shutil.rmtree(folder, ignore_errors=True)
    print("PASS: the drop-down lists are named by their items and labelled by their captions")
    return 0


if __name__ == "__main__":
    sys.exit(main())
