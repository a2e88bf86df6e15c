// A text box's input as a view of its line, which the window keeps in WebAssembly (line_fields.h).
//
// A browser lays out the whole value of an input on every change and every blink of the caret: a line of
// a million characters would freeze the page for a third of a second, ten million for seconds. So the
// input holds what the line's stretch view says: the line, or a stretch of it around the caret.
//
// The field only translates. A key goes to the window by its name (key_names.js), and the window carries
// it out when the platform's key rules bind it; typing, pastes, drops and the browser's own editing
// intents (beforeinput) go to the window as text and commands; the input then takes what the window says.
// What the input still edits itself (an input method's text) goes back to the window afterwards. Screen
// readers read the stretch, with offsets inside it.

// The browser's editing intents that are the text box's commands.
var kLineIntents = {
    deleteContentBackward: 'DeleteCharacterBack', deleteContentForward: 'DeleteCharacterOn',
    deleteWordBackward: 'DeleteWordBack', deleteWordForward: 'DeleteWordOn',
    deleteSoftLineBackward: 'DeleteToLineStart', deleteHardLineBackward: 'DeleteToLineStart',
    deleteSoftLineForward: 'DeleteToLineEnd', deleteHardLineForward: 'DeleteToLineEnd',
    deleteContent: 'DeleteSelection', deleteByDrag: 'DeleteSelection', historyUndo: 'Undo', historyRedo: 'Redo',
};

class LineField
{
    constructor(input, control)
    {
        this.input = input;
        this.control = control;
        this.pointerDown = false;
        this.work = new OrderedWork(); // a paste's, in tasks of their own
        const on = (type, handler, target = input) => target.addEventListener(type, handler);
        on('keydown', (event) => this.onKeyDown(event));
        on('beforeinput', (event) => this.onBeforeInput(event));
        on('input', (event) => { if (!event.isComposing) this.took(); });
        on('compositionstart', () => this.call(_hexdec_field_composing, true));
        on('compositionend', () => { _hexdec_field_composing(control, false); this.took(); });
        on('paste', (event) => {
            event.preventDefault();
            // The browser reads its clipboard in this event's task; the text goes to the window in a task of
            // its own, into the line in another and into the input in a third, so that no task of the
            // page's is as long as all of them.
            const text = event.clipboardData.getData('text/plain');
            this.work.later(() => {
                this.hand(text);
                this.work.later(() => {
                    this.tell(_hexdec_field_insert, true);
                    this.work.later(() => this.show());
                });
            });
        });
        on('copy', (event) => this.onCopy(event, false));
        on('cut', (event) => this.onCopy(event, true));
        on('pointerdown', () => { this.pointerDown = true; _hexdec_field_pointerDown(control, true); });
        // The selection the pointer made is taken before the stretch may move again.
        on('pointerup', () => {
            if (this.pointerDown) {
                this.follow();
                this.pointerDown = false;
                this.call(_hexdec_field_pointerDown, false);
            }
        }, window);
        on('keyup', () => this.follow());
        on('select', () => this.follow());
        on('selectionchange', () => { if (document.activeElement === input) this.follow(); }, document);
    }

    hand(text)
    {
        this.work.flush();
        form1Page.copyToHeap(text, _hexdec_handOver(text.length));
    }

    // Calls the window about this field; the window first hears of the input's selection, whose
    // selectionchange may not have come yet (a click's comes after it). call then shows what it says.
    tell(exported, ...args)
    {
        this.work.flush();
        _hexdec_field_selected(this.control, this.input.selectionStart, this.input.selectionEnd);
        return exported(this.control, ...args);
    }

    call(exported, ...args)
    {
        const result = this.tell(exported, ...args);
        this.show();
        return result;
    }

    // Puts in the input what the window says it is to take and show.
    show()
    {
        const at = _hexdec_field_update(this.control) >> 2;
        const [text, editStart, editEnd, taken, length, anchor, cursor, changed] = HEAP32.subarray(at, at + 8);
        const input = this.input;
        if (text === 1)
            input.value = form1Page.string(taken, length);
        else if (text === 2)
            input.setRangeText(form1Page.string(taken, length), editStart, editEnd);
        if (!changed)
            return;
        input.setSelectionRange(Math.min(anchor, cursor), Math.max(anchor, cursor), anchor > cursor ? 'backward' : 'forward');
        // WebKit leaves the caret out of sight when it is set at either end of a new value.
        if (text !== 0 && (cursor === 0 || cursor === input.value.length))
            input.scrollLeft = cursor === 0 ? 0 : input.scrollWidth;
    }

    // The input edited its text itself: the window takes it, then the selection.
    took()
    {
        this.hand(this.input.value);
        _hexdec_field_took(this.control);
        this.follow();
    }

    follow() { this.call(() => undefined); }

    insert(text, pasted)
    {
        this.hand(text);
        this.call(_hexdec_field_insert, pasted);
    }

    onKeyDown(event)
    {
        if (event.isComposing)
            return;
        this.hand(keyNameOf(event)); // key_names.js
        if (this.call(_hexdec_field_key, linePlatform()))
            event.preventDefault();
    }

    onBeforeInput(event)
    {
        const type = event.inputType;
        if (event.isComposing)
            return; // the input method's own, taken when it ends
        const text = (event.dataTransfer ? event.dataTransfer.getData('text/plain') : event.data) ?? '';
        if (kLineIntents[type]) {
            this.hand(kLineIntents[type]);
            this.call(_hexdec_field_command, linePlatform());
        } else if (type === 'insertText' || type === 'insertReplacementText') {
            this.insert(text, false);
        } else if (type === 'insertFromPaste' || type === 'insertFromDrop') {
            this.insert(text, true);
        } else {
            return; // the input's own edit, taken after it
        }
        event.preventDefault();
    }

    onCopy(event, cut)
    {
        event.preventDefault();
        this.hand(cut ? 'Cut' : 'Copy');
        const length = this.call(_hexdec_field_command, linePlatform());
        if (length >= 0)
            event.clipboardData.setData('text/plain', form1Page.string(_hexdec_handed(), length));
    }
}
