// A one-line text box that takes a line of any length without freezing the page.
//
// A browser lays out the whole value of an input on every change and every blink of the caret: a line
// of a million characters freezes the page for a third of a second, ten million for seconds. Up to
// kWholeLine characters the input holds the line as it is. A longer line is held in three parts: the
// input shows a stretch of it around the caret, and the rest waits on either side (before, after); the
// stretch moves along before the caret comes near one of its ends. Reading, copying, cutting and
// replacing take the whole line, and so does a selection of the whole stretch (Ctrl+A, "Select all"),
// which stands for the whole line. Undo and redo keep whole states of the line, of every length.

var kWholeLine = 16384;     // lines up to this long are shown whole, as any input shows them
var kStretchSide = 4096;    // characters a new stretch takes on each side of the selection
var kStretchMargin = 1024;  // the stretch moves when the caret comes this near an end with more beyond
var kUndoDepth = 100;

// Undo and redo keep states of the line, but only the newest of each stack whole: every other one is
// kept as what differs from the state above it (the line between their common start and end), so that
// a hundred edits of a 10 MB line hold one copy of it, not a hundred.
function keepState(stack, state)
{
    if (stack.length > 0)
        stack[stack.length - 1] = differenceState(stack[stack.length - 1], state.line);
    stack.push(state);
}

// state, kept as its difference from newer, the line of the state above it.
function differenceState(state, newer)
{
    if (state.line === undefined)
        return state;
    const line = state.line;
    const head = commonLength(line, newer, false);
    const tail = commonLength(line, newer, true, Math.min(line.length, newer.length) - head);
    return {head, tail, middle: line.slice(head, line.length - tail), start: state.start, end: state.end};
}

// state made whole again from newer, the line of the state that was above it.
function wholeState(state, newer)
{
    if (state.line !== undefined)
        return state;
    return {line: newer.slice(0, state.head) + state.middle + newer.slice(newer.length - state.tail),
            start: state.start, end: state.end};
}

// How many code units a and b share at their start (or, with fromEnd, at their end), at most limit;
// compared in blocks, large ones first, which the engine compares faster than one unit at a time.
function commonLength(a, b, fromEnd, limit = Math.min(a.length, b.length))
{
    const piece = (text, from, length) => fromEnd ? text.slice(text.length - from - length, text.length - from)
                                                  : text.slice(from, from + length);
    let same = 0;
    for (const block of [4096, 256, 16, 1]) {
        while (same + block <= limit && piece(a, same, block) === piece(b, same, block))
            same += block;
    }
    return same;
}

class LongLineField
{
    constructor(input)
    {
        this.input = input;
        this.before = '';
        this.after = '';
        this.undoStates = [];
        this.redoStates = [];
        this.typing = false; // the last edit was typing, which one undo takes back as a whole
        this.inserting = false; // the field inserts a pasted line itself
        input.addEventListener('keydown', (event) => this.onKeyDown(event));
        input.addEventListener('beforeinput', (event) => this.onBeforeInput(event));
        input.addEventListener('input', (event) => this.onInput(event));
        input.addEventListener('mouseup', () => { this.typing = false; this.followCaret(); });
        input.addEventListener('paste', (event) => this.onPaste(event));
        input.addEventListener('copy', (event) => this.onCopy(event, false));
        input.addEventListener('cut', (event) => this.onCopy(event, true));
    }

    get isConnected() { return this.input.isConnected; }
    get shownInParts() { return this.before.length > 0 || this.after.length > 0; }
    get value() { return this.before + this.input.value + this.after; }

    // As the program sets a field: the caret at the end, and no edit left to undo; line breaks are
    // dropped, as an input's value drops them.
    set value(text)
    {
        const line = text.replace(/[\r\n]/g, '');
        this.undoStates = [];
        this.redoStates = [];
        this.show(line, line.length, line.length, 'none');
    }

    wholeSelected()
    {
        return this.input.selectionStart === 0 && this.input.selectionEnd === this.input.value.length;
    }

    // The selection in positions of the whole line.
    selection()
    {
        if (this.shownInParts && this.wholeSelected())
            return {start: 0, end: this.value.length, direction: 'none'};
        const offset = this.before.length;
        return {start: offset + this.input.selectionStart, end: offset + this.input.selectionEnd,
                direction: this.input.selectionDirection};
    }

    // Shows line with [start, end) selected; a long line in a stretch that covers the selection and at
    // least reach, with kStretchSide to spare on each side.
    show(line, start, end, direction, reach = start)
    {
        let from = 0;
        let to = line.length;
        if (line.length > kWholeLine && (start > 0 || end < line.length)) {
            from = Math.max(0, Math.min(start, reach) - kStretchSide);
            to = Math.min(line.length, Math.max(end, reach) + kStretchSide);
        } else if (line.length > kWholeLine) {
            to = 2 * kStretchSide; // the whole line selected: the whole of its first stretch
        }
        this.before = line.slice(0, from);
        this.after = line.slice(to);
        this.input.value = line.slice(from, to);
        this.input.setSelectionRange(start - from, Math.min(end, to) - from, direction);
    }

    // Moves the stretch along when the caret has come near one of its ends and there is more beyond.
    followCaret()
    {
        if (!this.shownInParts || this.wholeSelected())
            return;
        const input = this.input;
        const nearStart = this.before.length > 0 && input.selectionStart < kStretchMargin;
        const nearEnd = this.after.length > 0 && input.value.length - input.selectionEnd < kStretchMargin;
        if (nearStart || nearEnd) {
            const at = this.selection();
            this.show(this.value, at.start, at.end, at.direction);
        }
    }

    // Text that arrives without a paste (a drop, an input method's commit, autofill) can make the line
    // long inside the input: it goes into parts at once, unless an input method is still composing.
    onInput(event)
    {
        if (!this.shownInParts && this.input.value.length > kWholeLine && !event.isComposing) {
            const at = this.selection();
            this.show(this.value, at.start, at.end, at.direction);
            return;
        }
        this.followCaret();
    }

    onKeyDown(event)
    {
        const command = event.ctrlKey || event.metaKey;
        const key = event.key.toLowerCase();
        if (command && !event.altKey && (key === 'z' || key === 'y')) {
            event.preventDefault();
            if (key === 'y' || event.shiftKey)
                this.redo();
            else
                this.undo();
            return;
        }
        if (event.key === 'Home' || event.key === 'End' || event.key === 'PageUp' || event.key === 'PageDown') {
            this.typing = false;
            if (!this.shownInParts)
                return;
            // The stretch reaches the line's start or end first, and keeps the selection's anchor when
            // Shift extends it; the input then moves there itself.
            const line = this.value;
            const target = event.key === 'Home' || event.key === 'PageUp' ? 0 : line.length;
            const at = event.shiftKey ? this.selection() : {start: target, end: target, direction: 'none'};
            this.show(line, at.start, at.end, at.direction, target);
            return;
        }
        if (event.key.startsWith('Arrow'))
            this.typing = false;
        if (this.shownInParts && this.wholeSelected() && !event.shiftKey && !command && !event.altKey &&
            ['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown'].includes(event.key)) {
            // The whole stretch selected stands for the whole line: an arrow collapses the selection to
            // the line's start or end, not to the stretch's, which lie inside the line.
            event.preventDefault();
            const line = this.value;
            const target = event.key === 'ArrowLeft' || event.key === 'ArrowUp' ? 0 : line.length;
            this.show(line, target, target, 'none', target);
            return;
        }
        this.followCaret();
    }

    onBeforeInput(event)
    {
        if (event.inputType === 'historyUndo' || event.inputType === 'historyRedo') {
            event.preventDefault();
            if (event.inputType === 'historyUndo')
                this.undo();
            else
                this.redo();
            return;
        }
        if (this.inserting)
            return;
        const typing = event.inputType === 'insertText';
        if (!(typing && this.typing))
            this.remember();
        this.typing = typing;
        // Whatever replaces the whole stretch replaces the whole line.
        if (this.shownInParts && this.wholeSelected()) {
            this.before = '';
            this.after = '';
        }
    }

    onPaste(event)
    {
        const text = event.clipboardData.getData('text/plain');
        const pasted = form1Page.lineOfPastedText(text);
        const at = this.selection();
        const length = this.before.length + this.input.value.length + this.after.length;
        if (length - (at.end - at.start) + pasted.length <= kWholeLine && !this.shownInParts) {
            if (pasted === text)
                return; // the input's own paste, with its own undo
            // Browsers differ on line breaks in a paste: the line goes in as the input inserts text, an
            // edit of its own for undo, neither joined to the typing before it nor to that after.
            event.preventDefault();
            this.remember();
            this.typing = false;
            // WebKit tells of the insertion by a beforeinput event as well, the others do not.
            this.inserting = true;
            document.execCommand('insertText', false, pasted);
            this.inserting = false;
            return;
        }
        event.preventDefault();
        this.remember();
        this.typing = false;
        const line = this.value;
        const caret = at.start + pasted.length;
        this.show(line.slice(0, at.start) + pasted + line.slice(at.end), caret, caret, 'none');
    }

    onCopy(event, cut)
    {
        if (!this.shownInParts || !this.wholeSelected())
            return; // the input's own copy and cut
        event.preventDefault();
        event.clipboardData.setData('text/plain', this.value);
        if (cut) {
            this.remember();
            this.typing = false;
            this.show('', 0, 0, 'none');
        }
    }

    state()
    {
        const at = this.selection();
        return {line: this.value, start: at.start, end: at.end};
    }

    remember()
    {
        keepState(this.undoStates, this.state());
        if (this.undoStates.length > kUndoDepth)
            this.undoStates.shift();
        this.redoStates = [];
    }

    restore(from, to)
    {
        const state = from.pop(); // the newest, which is whole
        if (state === undefined)
            return;
        keepState(to, this.state());
        this.typing = false;
        this.show(state.line, state.start, state.end, 'none');
        // The state below it was kept as its difference from this line, which is the field's now.
        if (from.length > 0)
            from[from.length - 1] = wholeState(from[from.length - 1], state.line);
    }

    undo() { this.restore(this.undoStates, this.redoStates); }
    redo() { this.restore(this.redoStates, this.undoStates); }
}
