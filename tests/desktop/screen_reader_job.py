"""A screen reader's whole job on the running program, through AT-SPI: finds the input field by its
accessible name, sets the line, presses Convert by its action and reads the output by its name; then
reads and edits a line too long for the toolkit's line edit, hearing of the edit, and converts it.
    screen_reader_job.py PID      PID is the program's process; exits 0 when the output is right
Every wait is bounded; run with Debian's python3, which has pyatspi."""
import sys
import time

import pyatspi
from gi.repository import GLib

PROMPT = "Enter you Filter Code (ex.FE FE 00 90 01 05 FD)"
LINE = "FE FE 00 90 01 05 FD"
EXPECTED = "254 254 0 144 1 5"
LONG_LINE = "FE " * 40000  # 120,000 characters
LONG_EXPECTED = "1 254 254 254 254 254 254 254 254 254 254 254"


def fail(message):
    print(f"screen reader: FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def poll(seconds, find):
    """Calls find until it returns something true, for at most the given time; returns its last answer."""
    deadline = time.monotonic() + seconds
    while True:
        try:
            found = find()
        except Exception:  # the tree can change under a walk while the window is being built
            found = None
        if found or time.monotonic() > deadline:
            return found
        time.sleep(0.1)


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    return next((app for app in desktop if app is not None and app.get_process_id() == pid), None)


def descendant(root, name, interface):
    """The first accessible below root with this name that offers this interface (a label shares the
    input field's name, but not its editable text)."""
    return pyatspi.findDescendant(
        root, lambda acc: acc.name == name and interface in pyatspi.listInterfaces(acc))


def whole_text(acc):
    return acc.queryText().getText(0, -1)


def heard(events, seconds, expected):
    """Lets the events the reader listens for come in, for at most the given time, until expected is among
    them; returns whether it was."""
    deadline = time.monotonic() + seconds
    while expected not in events and time.monotonic() < deadline:
        GLib.MainContext.default().iteration(False)
        time.sleep(0.01)
    return expected in events


def main():
    pid = int(sys.argv[1])
    app = poll(15, lambda: application(pid))
    if app is None:
        fail(f"process {pid} never appeared on the accessibility bus")
    print(f"screen reader: found application '{app.name}'")

    text1 = poll(10, lambda: descendant(app, PROMPT, "EditableText"))
    if text1 is None:
        fail(f"no editable field named '{PROMPT}'")
    text2 = descendant(app, "Decimal values", "Text")
    if text2 is None:
        fail("no text field named 'Decimal values'")
    convert = descendant(app, "Convert", "Action")
    if convert is None or convert.getRole() != pyatspi.ROLE_PUSH_BUTTON:
        fail("no push button named 'Convert'")

    if not text1.queryEditableText().setTextContents(LINE):
        fail("the input field refused the line")
    if not poll(5, lambda: whole_text(text1) == LINE):
        fail(f"the input field holds '{whole_text(text1)}' after setting it")

    actions = convert.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    press = next((i for i, action in enumerate(names) if action.lower() == "press"), None)
    if press is None:
        fail(f"Convert offers no press action, only {names}")
    actions.doAction(press)

    if not poll(5, lambda: whole_text(text2) == EXPECTED):
        fail(f"'Decimal values' reads '{whole_text(text2)}', expected '{EXPECTED}'")
    print(f"screen reader: '{LINE}' -> '{EXPECTED}'")

    # A long line: set, read in part, edited in place, and converted.
    text = text1.queryText()
    if not text1.queryEditableText().setTextContents(LONG_LINE):
        fail("the input field refused the long line")
    if not poll(5, lambda: text1.queryText().characterCount == len(LONG_LINE)):
        fail(f"the input field holds {text1.queryText().characterCount} characters, expected {len(LONG_LINE)}")
    text = text1.queryText()
    word = text.getTextAtOffset(60000, pyatspi.TEXT_BOUNDARY_WORD_START)
    if tuple(word) != ("FE", 60000, 60002):
        fail(f"the word at 60000 reads {word}")
    # A screen reader speaks what changed from the field's own account of it.
    changes = []
    pyatspi.Registry.registerEventListener(
        lambda event: changes.append((event.type, event.detail1, event.any_data)), "object:text-changed")
    if not text1.queryEditableText().insertText(0, "01 ", 3):
        fail("the input field refused an insertion into the long line")
    if not heard(changes, 5, ("object:text-changed:insert", 0, "01 ")):
        fail(f"the reader heard of {changes} for the insertion, not of '01 ' at 0")
    if text.getText(0, 9) != "01 FE FE " or text.characterCount != len(LONG_LINE) + 3:
        fail(f"after the insertion the line starts '{text.getText(0, 9)}'")
    actions.doAction(press)
    if not poll(5, lambda: whole_text(text2) == LONG_EXPECTED):
        fail(f"'Decimal values' reads '{whole_text(text2)}' for the long line, expected '{LONG_EXPECTED}'")
    print(f"screen reader: a line of {text.characterCount} characters read, edited and converted")


if __name__ == "__main__":
    main()
