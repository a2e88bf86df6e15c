// A text box's input as a view of its line, which the window keeps in WebAssembly (line_fields.h).
//
// A browser lays out the whole value of an input on every change and every blink of the caret: a line of
// a million characters would freeze the page for a third of a second, ten million for seconds. So the
// input holds at most a stretch of the line around the caret, which moves along with the caret (never
// while a mouse button is down or an input method is composing), and the line lives in the window.
//
// The input edits its stretch itself; after each input the field hands the stretch back, and the window
// takes the difference into the line, as an undo step of the kind the edit was (typing, Backspace, Delete).
// The window does the rest itself: undo and redo, select all, Home and End, the arrows and word moves,
// paste, copy and cut, and any edit of a selection that reaches past the stretch. Screen readers read
// the stretch, with offsets inside it.

// The window's runs of keystrokes (LineModel::Run) and commands (line_fields.cpp), by number.
var kRun = {none: 0, typing: 1, backspace: 2, delete: 3};
// Longer text typed at once (autofill, a commit of an input method that was not composing) goes in
// through the window, which keeps a long line out of the input.
var kLongInsert = 256;
var kCommand = {lineStart: 0, lineEnd: 1, selectAll: 2, undo: 3, redo: 4, wordBack: 5, wordOn: 6,
                characterBack: 7, characterOn: 8, deleteSelection: 9};

class LineField
{
    constructor(input, control)
    {
        this.input = input;
        this.control = control;
        this.run = kRun.none;  // the kind of the edit the input is making
        this.told = [0, 0];    // the input's selection as the window last heard of it
        this.mouseDown = false;
        this.composing = false; // an input method is composing
        input.addEventListener('keydown', (event) => this.onKeyDown(event));
        input.addEventListener('beforeinput', (event) => this.onBeforeInput(event));
        input.addEventListener('input', (event) => { if (!event.isComposing) this.took(); });
        input.addEventListener('compositionstart', () => { this.composing = true; });
        input.addEventListener('compositionend', () => { this.composing = false; this.took(); });
        input.addEventListener('paste', (event) => this.onPaste(event));
        input.addEventListener('copy', (event) => this.onCopy(event, false));
        input.addEventListener('cut', (event) => this.onCopy(event, true));
        input.addEventListener('mousedown', () => { this.mouseDown = true; });
        window.addEventListener('mouseup', () => {
            if (this.mouseDown) {
                this.mouseDown = false;
                this.follow();
            }
        });
        input.addEventListener('keyup', () => this.follow());
        input.addEventListener('select', () => this.follow());
        document.addEventListener('selectionchange', () => { if (document.activeElement === input) this.follow(); });
        input.addEventListener('focus', () => this.onFocus());
    }

    get isConnected() { return this.input.isConnected; }

    // What the window says the input is to show; with show, after moving the stretch where it must.
    view(show = false)
    {
        const at = _hexdec_field_view(this.control, show) >> 2;
        return {start: HEAP32[at], end: HEAP32[at + 1], anchor: HEAP32[at + 2], cursor: HEAP32[at + 3],
                size: HEAP32[at + 4], textChanged: HEAP32[at + 5] !== 0, line: HEAPU32[at + 6]};
    }

    // The line's code units [start, end).
    text(view, start, end) { return form1Page.string(view.line + 2 * start, end - start); }

    hand(text)
    {
        form1Page.copyToHeap(text, _hexdec_field_handOver(text.length));
    }

    // Puts the window's stretch and selection in the input.
    show()
    {
        const view = this.view(true);
        if (view.textChanged)
            this.input.value = this.text(view, view.start, view.end);
        const inside = (position) => Math.min(Math.max(position, view.start), view.end) - view.start;
        const [anchor, cursor] = [inside(view.anchor), inside(view.cursor)];
        const [start, end, backward] = [Math.min(anchor, cursor), Math.max(anchor, cursor), anchor > cursor];
        const input = this.input;
        // Only when it differs: setting a selection tells of a change, which would come back here.
        if (view.textChanged || input.selectionStart !== start || input.selectionEnd !== end ||
            (start !== end && backward !== (input.selectionDirection === 'backward'))) {
            input.setSelectionRange(start, end, backward ? 'backward' : 'forward');
            // WebKit leaves the caret out of sight when it is set at either end of a new value.
            if (cursor === 0 || cursor === input.value.length)
                input.scrollLeft = cursor === 0 ? 0 : input.scrollWidth;
        }
        this.told = [input.selectionStart, input.selectionEnd];
    }

    // After the input edited its stretch: the stretch goes to the window, then the selection.
    took()
    {
        this.hand(this.input.value);
        _hexdec_field_took(this.control, this.run);
        this.run = kRun.none;
        this.told = [-1, -1];
        this.follow();
    }

    // The input's selection goes to the window when it changed, and the stretch moves when the caret
    // comes near one of its ends.
    follow()
    {
        const [start, end] = [this.input.selectionStart, this.input.selectionEnd];
        if (start !== this.told[0] || end !== this.told[1]) {
            _hexdec_field_selected(this.control, start, end);
            this.told = [start, end];
        }
        if (!this.mouseDown && !this.composing)
            this.show();
    }

    // Whether the selection reaches past the stretch the input holds.
    reachesPast()
    {
        const view = this.view();
        return Math.min(view.anchor, view.cursor) < view.start || Math.max(view.anchor, view.cursor) > view.end;
    }

    command(command, extend = false)
    {
        _hexdec_field_command(this.control, command, extend);
        this.show();
    }

    insert(text, run, pasted)
    {
        this.hand(text);
        _hexdec_field_insert(this.control, run, pasted);
        this.show();
    }

    onFocus()
    {
        // Tab into a field selects all of its input: all of its line.
        const input = this.input;
        if (input.value.length > 0 && input.selectionStart === 0 && input.selectionEnd === input.value.length)
            this.command(kCommand.selectAll);
    }

    onKeyDown(event)
    {
        if (event.isComposing)
            return;
        const command = event.ctrlKey || event.metaKey;
        const key = event.key.length === 1 ? event.key.toLowerCase() : event.key;
        // On a Mac, Cmd with an arrow goes to the line's start or end and Option moves by word; elsewhere
        // Ctrl moves by word.
        const mac = /^Mac/.test(navigator.platform);
        const byLine = mac && event.metaKey;
        const byWord = mac ? event.altKey : event.ctrlKey;
        const plain = !event.altKey && !event.metaKey && !event.ctrlKey;
        const arrow = (line, word, character) => byLine ? line : byWord ? word : plain ? character : undefined;
        const moves = {
            Home: kCommand.lineStart, End: kCommand.lineEnd, PageUp: kCommand.lineStart, PageDown: kCommand.lineEnd,
            ArrowUp: kCommand.lineStart, ArrowDown: kCommand.lineEnd,
            ArrowLeft: arrow(kCommand.lineStart, kCommand.wordBack, kCommand.characterBack),
            ArrowRight: arrow(kCommand.lineEnd, kCommand.wordOn, kCommand.characterOn),
        };
        let done = true;
        if (command && !event.altKey && (key === 'z' || key === 'y'))
            this.command(key === 'y' || event.shiftKey ? kCommand.redo : kCommand.undo);
        else if (command && !event.altKey && !event.shiftKey && key === 'a')
            this.command(kCommand.selectAll);
        else if (moves[key] !== undefined && (key.startsWith('Arrow') || !event.altKey))
            this.command(moves[key], event.shiftKey);
        else
            done = false;
        if (done)
            event.preventDefault();
    }

    onBeforeInput(event)
    {
        const type = event.inputType;
        if (type === 'historyUndo' || type === 'historyRedo') {
            event.preventDefault();
            this.command(type === 'historyUndo' ? kCommand.undo : kCommand.redo);
            return;
        }
        if (event.isComposing)
            return;
        const selected = this.input.selectionStart !== this.input.selectionEnd;
        const dropped = type === 'insertFromDrop' || type === 'insertFromPaste';
        if (dropped || this.reachesPast() || (event.data ?? '').length > kLongInsert) {
            // The window makes the edit: the input holds only part of what it touches, or (a drop) the
            // text is to become one line, or the text could make the input's value long.
            const text = event.dataTransfer ? event.dataTransfer.getData('text/plain') : (event.data ?? '');
            event.preventDefault();
            if (type.startsWith('insert'))
                this.insert(text, type === 'insertText' ? kRun.typing : kRun.none, dropped);
            else if (type.startsWith('delete'))
                this.command(kCommand.deleteSelection);
            return;
        }
        this.run = type === 'insertText' ? kRun.typing
                 : selected ? kRun.none
                 : type === 'deleteContentBackward' ? kRun.backspace
                 : type === 'deleteContentForward' ? kRun.delete
                 : kRun.none;
    }

    onPaste(event)
    {
        event.preventDefault();
        this.insert(event.clipboardData.getData('text/plain'), kRun.none, true);
    }

    onCopy(event, cut)
    {
        event.preventDefault();
        const view = this.view();
        if (view.anchor === view.cursor)
            return;
        event.clipboardData.setData('text/plain',
                                    this.text(view, Math.min(view.anchor, view.cursor), Math.max(view.anchor, view.cursor)));
        if (cut)
            this.command(kCommand.deleteSelection);
    }
}
