// What the page's side of the web window keeps between the window's calls (form1_page.js): its controls
// and fields, text to and from the heap, and the click of Command1.
var form1Page = {
    controls: [],  // elements, indexed by Control
    fields: [],    // a LineField for each text box, indexed by Control
    clickRunning: false,

    client() { return document.getElementById('client'); },

    // UTF-16 code units from the heap, one by one, so that none is replaced; in pieces, since a call
    // takes only so many arguments.
    string(pointer, length)
    {
        const units = HEAPU16.subarray(pointer >> 1, (pointer >> 1) + length);
        let text = '';
        for (let at = 0; at < units.length; at += 8192)
            text += String.fromCharCode.apply(null, units.subarray(at, at + 8192));
        return text;
    },

    ascii(pointer, length) { return UTF8ToString(pointer, length); },

    // The UTF-16 code units of text into the heap at pointer, one by one, as string() reads them back.
    copyToHeap(text, pointer)
    {
        const units = HEAPU16.subarray(pointer >> 1, (pointer >> 1) + text.length);
        for (let at = 0; at < text.length; ++at)
            units[at] = text.charCodeAt(at);
    },

    add(control, element, name)
    {
        element.id = name;
        form1Page.controls[control] = element;
        form1Page.client().appendChild(element);
        return element;
    },

    // Command1's click, once at a time: a second click while the first waits on its message box would
    // start the conversion again in the middle of the first.
    click()
    {
        if (form1Page.clickRunning)
            return;
        form1Page.clickRunning = true;
        // A paste still on its way into a line gets there first: the conversion reads the line.
        form1Page.fields.forEach((field) => field.work.flush()); // it passes over the controls that hold no field
        Promise.resolve(ccall('hexdec_click', null, [], [], {async: true}))
            .finally(() => { form1Page.clickRunning = false; });
    },
};

// A new colour scheme or forced colours give the page a new background, and the prompt a new colour.
for (const query of ['(prefers-color-scheme: dark)', '(forced-colors: active)']) {
    matchMedia(query).addEventListener('change', () => {
        if (runtimeInitialized)
            _hexdec_applyPromptColour();
    });
}

Module['postRun'] = () => performance.mark('interactive');


// The WebAssembly is inside the page: compiled from there, with no fetch of its own, which the page's
// Content-Security-Policy would refuse.
Module['instantiateWasm'] = (imports, receive) => {
    WebAssembly.instantiate(getBinary(wasmBinaryFile), imports).then((result) => receive(result.instance));
    return {};
};
