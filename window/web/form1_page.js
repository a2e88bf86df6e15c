// The page's side of the web window (page_api.h), as the C++ window calls it: the document's controls,
// built and placed as the window asks from the design, the text of its fields, and the message box.
// What these share is in page_controls.js.

mergeInto(LibraryManager.library, {
    page_setCaption: function(caption, length) {
        const text = form1Page.string(caption, length);
        document.title = text;
        document.getElementById('caption').textContent = text;
    },

    page_describeWindow: function(description, length) {
        document.getElementById('windowDescription').textContent = form1Page.string(description, length);
    },

    page_addLabel: function(control, name, nameLength, text, textLength) {
        const label = form1Page.add(control, document.createElement('label'), form1Page.ascii(name, nameLength));
        label.textContent = form1Page.string(text, textLength);
    },

    page_addTextBox: function(control, name, nameLength, tabStop) {
        const input = form1Page.add(control, document.createElement('input'), form1Page.ascii(name, nameLength));
        input.type = 'text';
        input.autocomplete = 'off';
        input.spellcheck = false;
        // What a phone's keyboard reads: hexadecimal is neither capitalised nor corrected, and its Enter
        // key closes the keyboard, as Enter converts nothing.
        input.setAttribute('autocapitalize', 'off');
        input.setAttribute('autocorrect', 'off');
        input.enterKeyHint = 'done';
        if (!tabStop)
            input.tabIndex = -1;
        form1Page.fields[control] = new LineField(input, control);
    },

    page_addButton: function(control, name, nameLength, text, textLength, tabStop) {
        const button = form1Page.add(control, document.createElement('button'), form1Page.ascii(name, nameLength));
        button.type = 'button';
        button.textContent = form1Page.string(text, textLength);
        if (!tabStop)
            button.tabIndex = -1;
        button.addEventListener('click', form1Page.click);
    },

    page_labelField: function(label, field) {
        form1Page.controls[label].htmlFor = form1Page.controls[field].id;
    },

    page_describeControl: function(control, name, nameLength, description, descriptionLength) {
        const element = form1Page.controls[control];
        element.setAttribute('aria-label', form1Page.string(name, nameLength));
        const said = document.createElement('span');
        said.id = element.id + 'Description';
        said.hidden = true;
        said.textContent = form1Page.string(description, descriptionLength);
        document.body.appendChild(said);
        element.setAttribute('aria-describedby', said.id);
    },

    page_wrapTabOrder: function(first, last) {
        const controls = form1Page.controls;
        form1Page.client().addEventListener('keydown', (event) => {
            if (event.key !== 'Tab' || event.altKey || event.ctrlKey || event.metaKey)
                return;
            const from = event.shiftKey ? controls[first] : controls[last];
            if (event.target === from) {
                event.preventDefault();
                (event.shiftKey ? controls[last] : controls[first]).focus();
            }
        });
        controls[first].focus();
    },

    page_captionRoom: function(control, width, height) {
        // The size the control takes with nothing but its caption to fit.
        const style = form1Page.controls[control].style;
        style.width = style.height = '';
        const room = form1Page.controls[control].getBoundingClientRect();
        HEAP32[width >> 2] = Math.ceil(room.width);
        HEAP32[height >> 2] = Math.ceil(room.height);
    },

    page_place: function(control, left, top, width, height) {
        const style = form1Page.controls[control].style;
        style.left = left + 'px';
        style.top = top + 'px';
        style.width = width + 'px';
        style.height = height + 'px';
    },

    page_setClientArea: function(width, height) {
        const style = form1Page.client().style;
        style.width = width + 'px';
        style.height = height + 'px';
    },

    page_background: function() {
        const [red, green, blue] = getComputedStyle(form1Page.client()).backgroundColor.match(/\d+/g).map(Number);
        return red << 16 | green << 8 | blue;
    },

    page_setTextColour: function(control, rgb) {
        form1Page.controls[control].style.color = '#' + rgb.toString(16).padStart(6, '0');
    },

    page_fieldConnected: function(control) {
        return form1Page.fields[control].input.isConnected;
    },

    page_showField: function(control) {
        form1Page.fields[control].show();
    },

    page_showMessage__sig: 'viiiii',
    page_showMessage: function(prompt, promptLength, title, titleLength, criticalIcon) {
        return Asyncify.handleAsync(() => showMessageBox(form1Page.string(prompt, promptLength),
                                                         form1Page.string(title, titleLength), criticalIcon));
    },

    page_end: function(status) {
        document.documentElement.dataset.exitStatus = status;
        document.getElementById('Form1').inert = true;
        document.getElementById('ended').hidden = false;
        window.close(); // where the browser allows it: an app window, or a tab opened for the page alone
    },
});
