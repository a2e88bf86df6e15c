// The page in one browser engine (HEXDEC_ENGINE: chromium, firefox or webkit), headed on the X server of
// $DISPLAY, through tests/web/browsers.mjs: places, keys, the conversion, the message box, long lines,
// colours, the names screen readers get, and a phone-sized touch screen. Every test also checks that the page asked for nothing but
// itself and raised no error. A test skips an engine only where its driver cannot do what the test
// needs, and says why.
//   HEXDEC_ENGINE=firefox HEXDEC_PAGE=build/web/app/vantrel-hex2dec.html node --test tests/web/page_test.mjs
import assert from 'node:assert/strict';
import {after, before, test} from 'node:test';
import {pathToFileURL} from 'node:url';

import {cannot, clipboard, launch, setClipboard} from './browsers.mjs';
import {actOut, fieldScenarios, paddingsFor, skipReason, unmark} from './field_scenarios.mjs';

const engine = process.env.HEXDEC_ENGINE;
const pageAddress = pathToFileURL(process.env.HEXDEC_PAGE).href;
const caption = 'Vantrel Hex to Decimal Converter';
const prompt = 'Enter you Filter Code (ex.FE FE 00 90 01 05 FD)';

let browser;
before(async () => { browser = await launch(engine); });
after(() => browser.close());

// Runs body on a freshly opened page, ready for input; then checks what every test checks.
async function onPage(body, on = browser)
{
    const page = await on.newPage();
    try {
        await page.open(pageAddress);
        await body(page);
        const {requests, errors} = await page.record();
        // The page's icon is inside it, as a data: address.
        assert.deepEqual(requests.filter((address) => address !== pageAddress && !address.startsWith('data:')), [],
                         'the page asked for nothing but itself');
        assert.deepEqual(errors, []);
    } finally {
        await page.close();
    }
}

// What the test needs that this engine's driver cannot do, as node's test runner takes a skip.
const skipFor = (what) => ({skip: cannot[what][engine] ?? false});

const value = (page, id) => page.evaluate((id) => document.getElementById(id).value, id);
const focused = (page) => page.evaluate(() => document.activeElement.id);
const boxOpen = (page) => page.evaluate(() => document.querySelector('dialog[open]') !== null);

// Presses the focused button by key where the driver can, and clicks it where it cannot.
async function pressFocusedButton(page, key, selector)
{
    if (cannot.pressButtonByKey[engine])
        await page.click(selector);
    else
        await page.press(key);
}

test('the design places in CSS pixels, the caption as title, Text3 out of sight', () => onPage(async (page) => {
    const places = await page.evaluate(() => {
        const client = document.getElementById('client').getBoundingClientRect();
        const place = (element) => {
            const box = element.getBoundingClientRect();
            return [box.left - client.left, box.top - client.top, box.width, box.height];
        };
        return Object.fromEntries([...document.querySelectorAll('#client, #client > *')].map((e) => [e.id, place(e)]));
    });
    for (const [id, expected] of Object.entries({
             Text1: [8, 40, 273, 21], Text2: [8, 96, 273, 21], Text3: [8, 176, 233, 25]}))
        assert.deepEqual(places[id], expected, id);
    // The captions take at least their design places, and the client area grows around them.
    const [, , width, height] = places.client;
    for (const [id, left, top, leastWidth, leastHeight] of [['Label1', 8, 16, 233, 17], ['Command1', 96, 65, 73, 25]]) {
        const [x, y, w, h] = places[id];
        assert.deepEqual([x, y], [left, top], id);
        assert.ok(w >= leastWidth && h >= leastHeight && x + w + 8 <= width, `${id} is ${w}x${h}`);
    }
    assert.ok(width >= 312, `client area ${width} wide`);
    assert.equal(height, 131);
    assert.ok(places.Text3[1] > height, 'Text3 lies below the client area');
    assert.deepEqual(await page.evaluate(() => [document.elementFromPoint(20, 200)?.id === 'Text3', document.title,
                                                document.querySelector('h1').textContent]),
                     [false, caption, caption]);
}));

test('Tab walks Text1, Text2, Command1 and round; Enter and Esc convert nothing', () => onPage(async (page) => {
    assert.equal(await focused(page), 'Text1');
    const walked = [];
    for (const key of ['Tab', 'Tab', 'Tab', 'Shift+Tab', 'Shift+Tab']) {
        await page.press(key);
        walked.push(await focused(page));
    }
    assert.deepEqual(walked, ['Text2', 'Command1', 'Text1', 'Command1', 'Text2']);

    await page.click('#Text1');
    await page.type('0A 0B ');
    await page.press('Enter');
    await page.press('Escape');
    assert.equal(await value(page, 'Text2'), '');
}));

test('Enter and Space on the focused button convert', skipFor('pressButtonByKey'), () => onPage(async (page) => {
    await page.type('0A 0B ');
    for (const key of ['Enter', ' ']) {
        await page.evaluate(() => { document.getElementById('Text2').value = ''; document.getElementById('Command1').focus(); });
        await page.press(key);
        assert.equal(await value(page, 'Text2'), '10 11', `${key} on the button`);
    }
}));

test('a click converts the example line', () => onPage(async (page) => {
    await page.type('FE FE 00 90 01 05 FD');
    await page.click('#Command1');
    assert.equal(await value(page, 'Text2'), '254 254 0 144 1 5');
}));

test('the error box holds the conversion, over a page that takes no input, then the line goes on', () => onPage(async (page) => {
    await page.type('01 123456789 02 03');
    await page.click('#Command1');
    await page.waitFor(() => document.querySelector('dialog[open]') !== null);
    assert.deepEqual(await page.evaluate(() => ({
        modal: document.getElementById('box').matches(':modal'),
        title: document.getElementById('boxTitle').textContent,
        prompt: document.getElementById('boxPrompt').textContent,
        icon: !document.getElementById('boxIcon').hidden,
        buttons: [...document.querySelectorAll('dialog button')].map((button) => button.textContent),
        focus: document.activeElement.id,
    })), {modal: true, title: 'Error', prompt: 'There was an error', icon: true, buttons: ['OK'], focus: 'boxOk'});
    // The value before the failing token is out already; a second click now is refused.
    assert.equal(await value(page, 'Text2'), '1');
    await page.evaluate(() => document.getElementById('Command1').click());
    assert.equal(await page.evaluate(() => document.querySelectorAll('dialog[open]').length), 1);

    await pressFocusedButton(page, 'Enter', '#boxOk');
    // The conversion goes on from where it waited once the box has closed.
    await page.waitFor(() => document.querySelector('dialog[open]') === null);
    await page.waitFor(() => document.getElementById('Text2').value !== '1').catch(() => {});
    assert.equal(await value(page, 'Text2'), '1  2');
    assert.equal(await page.evaluate(() => document.documentElement.dataset.exitStatus ?? null), null);
}));

test('an error the conversion does not trap is shown under the caption, then the program ends', () => onPage(async (page) => {
    await page.type('FE FE');
    // The ended program closes its window where the browser lets it; here it only says that it asked.
    await page.evaluate(() => {
        document.getElementById('Text3').remove();
        window.close = () => { document.documentElement.dataset.askedToClose = 'yes'; };
    });
    await page.click('#Command1');
    await page.waitFor(() => document.querySelector('dialog[open]') !== null);
    assert.deepEqual(await page.evaluate(() => [document.getElementById('boxTitle').textContent,
                                                document.getElementById('boxPrompt').textContent]),
                     [caption, 'the field would not take its text']);
    await pressFocusedButton(page, 'Enter', '#boxOk');
    await page.waitFor(() => document.documentElement.dataset.exitStatus !== undefined);
    assert.deepEqual(await page.evaluate(() => [document.documentElement.dataset.exitStatus,
                                                document.getElementById('Form1').inert,
                                                document.getElementById('ended').checkVisibility(),
                                                document.documentElement.dataset.askedToClose]),
                     ['1', true, true, 'yes']);
}));

test('a pasted text is one line: each line break a space, those at the end dropped, undone as one edit', () => onPage(async (page) => {
    await page.type('0A ');
    await setClipboard('FE\r\nFE\u2028' + '01\u0085 02\t03\n\r\n');
    await page.press('Control+V');
    assert.equal(await value(page, 'Text1'), '0A FE FE 01  02\t03');
    await page.click('#Command1');
    assert.equal(await value(page, 'Text2'), '10 254 254 1 0');
    await page.click('#Text1');
    await page.press('End');
    await page.press('Control+Z');
    assert.equal(await value(page, 'Text1'), '0A ');
    await page.press('Control+Z');
    assert.equal(await value(page, 'Text1'), '', 'the typing before the paste undone next');
}));

// The page's threshold (window/field_sizes.h), past which an input holds only a stretch of its line.
const kThreshold = 16384;

// In the page: Text1's line and selection as the window holds them, and where its input shows otherwise.
function readField()
{
    const field = form1Page.fields.find((f) => f?.input.id === 'Text1');
    const at = _hexdec_field_state(field.control) >> 2;
    const [anchor, cursor, size, start, end] = HEAP32.subarray(at, at + 5);
    const line = form1Page.string(_hexdec_handed(), size);
    const input = field.input;
    const inside = (position) => Math.min(Math.max(position, start), end) - start;
    const disagrees = input.value.length > 16384 ? `the input holds ${input.value.length} code units`
        : input.value !== line.slice(start, end) ? 'the input holds other text than the line\'s stretch'
        : input.selectionStart !== inside(Math.min(anchor, cursor)) || input.selectionEnd !== inside(Math.max(anchor, cursor))
        ? 'the input shows another selection'
        : anchor !== cursor && (input.selectionDirection === 'backward') !== (anchor > cursor) ? 'the input\'s caret is not at the cursor'
        : '';
    return {line, anchor, cursor, disagrees};
}

// Text1 driven as a person does, by the browser's own key events; platform is the page's (linePlatform
// in window/web/line_field.js), which finds each command's key in its own key rules.
function pageDriver(page, platform)
{
    const browserNames = {Ctrl: 'Control', Cmd: 'Meta', Option: 'Alt', Left: 'ArrowLeft', Right: 'ArrowRight',
                          Up: 'ArrowUp', Down: 'ArrowDown'};
    return {
        start: (state) => page.evaluate(({line, anchor, cursor}) => {
            const field = form1Page.fields.find((f) => f?.input.id === 'Text1');
            field.input.focus();
            field.hand(line);
            _hexdec_field_setLine(field.control);
            _hexdec_field_select(field.control, anchor, cursor);
        }, state),
        keyFor: (name) => page.evaluate((name, platform) => {
            form1Page.fields[1].hand(name);
            const length = _hexdec_keyFor(platform);
            return form1Page.string(_hexdec_handed(), length);
        }, name, platform),
        press: (name) => page.press(name.split('+').map((part) => browserNames[part] ?? part).join('+')),
        type: (text) => page.type(text),
        // As a browser's own key binding or a screen reader moves the caret: the field hears of it only as
        // a change of the input's selection.
        caret: (where) => page.evaluate(async (where) => {
            const input = document.getElementById('Text1');
            const seen = new Promise((resolve) => document.addEventListener('selectionchange', resolve, {once: true}));
            if (where === 'all')
                input.select();
            else
                input.setSelectionRange(where === 'end' ? input.value.length : 0, where === 'end' ? input.value.length : 0);
            await seen;
        }, where),
        setClipboard,
        clipboard,
        async state() {
            const {line, anchor, cursor, disagrees} = await page.evaluate(readField);
            this.disagrees = disagrees;
            return {line, anchor, cursor};
        },
        boxDisagrees() { return this.disagrees; },
    };
}

// The scenarios every front-end acts out, on Text1 at every length, by keys; the clipboard read on its own.
// The page told it runs on a Mac acts out the rows of a Mac's keys; the library itself acts out every row
// with them (tests/textbox/scenarios_test.cpp). A browser on Linux gives Cmd+C, Cmd+X and Cmd+V, which
// the page leaves to the browser, no clipboard event: that row waits for a real Mac.
const macClipboardRow = 'on a Mac, Cmd+A selects all, and Cmd+C, Cmd+X and Cmd+V copy, cut and paste';
for (const [rules, platform] of [['browser-linux', 0], ['browser-mac', 2]]) {
    test(`the editing scenarios at every length, with the keys of ${rules}`, (t) => onPage(async (page) => {
        if (platform === 2)
            await page.evaluate(() => { Object.defineProperty(navigator, 'platform', {get: () => 'MacIntel'}); });
        const driver = pageDriver(page, platform);
        for (const scenario of fieldScenarios()) {
            const skip = skipReason(scenario, rules) ??
                         (platform === 2 && scenario.keys !== 'mac' ? 'acted out with the keys of browser-linux' : undefined) ??
                         (scenario.name === macClipboardRow ? 'a browser on Linux gives Cmd+C, Cmd+X and Cmd+V no clipboard event' : undefined);
            await t.test(scenario.name, {skip}, async () => {
                const start = unmark(scenario.steps[0].argument, {before: '', after: ''});
                for (const padding of paddingsFor(start.line.length, kThreshold))
                    await actOut(scenario, padding, rules, driver);
            });
        }
    }));
}

// An input method's text is the input's own while it composes, whatever the browser calls its edits; the
// field takes it once the composition ends, which Chromium tells of by compositionend alone.
test('an input method composes in the input, and what it made then goes into the line', () => onPage(async (page) => {
    await page.type('0A ');
    const [left, line] = await page.evaluate(() => {
        const input = document.getElementById('Text1');
        const composing = ['insertCompositionText', 'insertText'].map((inputType) =>
            new InputEvent('beforeinput', {inputType, data: '\u304B', isComposing: true, cancelable: true, bubbles: true}));
        input.dispatchEvent(new CompositionEvent('compositionstart', {bubbles: true}));
        composing.forEach((event) => input.dispatchEvent(event));
        input.setRangeText('\u304B', input.selectionStart, input.selectionEnd, 'end'); // as the input method puts it in
        input.dispatchEvent(new CompositionEvent('compositionend', {data: '\u304B', bubbles: true}));
        const at = _hexdec_field_state(1) >> 2;
        return [composing.map((event) => !event.defaultPrevented), form1Page.string(_hexdec_handed(), HEAP32[at + 2])];
    });
    assert.deepEqual(left, [true, true], 'left to the input method');
    assert.equal(line, '0A \u304B');
}));

// A drag that reaches an edge of a long line's stretch moves the caret there, and the stretch stays while
// the button is down; then it moves, and the caret stays where the drag left it.
test('while a mouse button is down the stretch stays where it is', () => onPage(async (page) => {
    const [during, after, cursor] = await page.evaluate(async (line) => {
        const field = form1Page.fields[1];
        const input = field.input;
        input.focus();
        field.hand(line);
        _hexdec_field_setLine(1);
        _hexdec_field_select(1, 15000, 15000); // the input holds [10904, 19096)
        const held = input.value;
        input.dispatchEvent(new PointerEvent('pointerdown', {bubbles: true}));
        const seen = new Promise((resolve) => document.addEventListener('selectionchange', resolve, {once: true}));
        input.setSelectionRange(0, 0);
        await seen;
        const during = input.value === held;
        window.dispatchEvent(new PointerEvent('pointerup', {bubbles: true}));
        return [during, input.value !== held, HEAP32[(_hexdec_field_state(1) >> 2) + 1]];
    }, 'FE '.repeat(10000));
    assert.deepEqual([during, after, cursor], [true, true, 10904]);
}));

// A drop brings its text in a beforeinput event, with no paste event: one line all the same. (WebKit takes
// no data transfer into an event made by a script, only the text as its data.)
test('dropped text is one line, as pasted text is', () => onPage(async (page) => {
    await page.type('0A ');
    const held = await page.evaluate(() => {
        const input = document.getElementById('Text1');
        const dropped = new DataTransfer();
        dropped.setData('text/plain', 'FE\r\nFE\n');
        input.dispatchEvent(new InputEvent('beforeinput', {inputType: 'insertFromDrop', dataTransfer: dropped, data: 'FE\r\nFE\n',
                                                           cancelable: true, bubbles: true}));
        return input.value;
    });
    assert.equal(held, '0A FE FE');
}));

// A paste goes into the line in a task after the browser's; what comes before that task waits for it.
test('what comes right after a paste comes after the pasted text, a click on Convert included', () => onPage(async (page) => {
    await page.type('11');
    await page.press('Control+A');
    const [copied, line] = await page.evaluate(() => {
        const input = document.getElementById('Text1');
        // Firefox takes no clipboard data into an event made by a script: each event is given it.
        const send = (type, data) => {
            const transfer = new DataTransfer();
            transfer.setData('text/plain', data);
            const event = new ClipboardEvent(type, {cancelable: true, bubbles: true});
            Object.defineProperty(event, 'clipboardData', {value: transfer});
            input.dispatchEvent(event);
            return transfer.getData('text/plain');
        };
        const line = () => {
            const size = HEAP32[(_hexdec_field_state(1) >> 2) + 2]; // hands the line back
            return form1Page.string(_hexdec_handed(), size);
        };
        send('paste', '0A 0B ');
        const copied = send('copy', 'nothing selected'); // the paste replaced the selection
        send('paste', '0C ');
        input.dispatchEvent(new InputEvent('beforeinput', {inputType: 'insertText', data: '0D', cancelable: true, bubbles: true}));
        send('paste', ' 0E 0F ');
        document.getElementById('Command1').click();
        return [copied, line()];
    });
    assert.deepEqual([copied, line], ['nothing selected', '0A 0B 0C 0D 0E 0F ']);
    assert.equal(await value(page, 'Text2'), '10 11 12 13 14 15', 'converted with the paste in');
}));

test('a long line that arrives without a paste is held in a stretch all the same', () => onPage(async (page) => {
    const line = 'FE '.repeat(100000);
    // As an input method's commit or a drop inserts it: through the input, with no paste event.
    const held = await page.evaluate((line) => {
        document.getElementById('Text1').focus();
        document.execCommand('insertText', false, line);
        return document.getElementById('Text1').value.length;
    }, line);
    assert.ok(held < 20000, `the input holds ${held} characters`);
    await page.press('Control+A');
    await page.press('Control+C');
    assert.equal(clipboard(), line);
}));

test('a long line is pasted, edited at both ends, undone, copied and converted whole', () => onPage(async (page) => {
    const line = 'FE '.repeat(100000);
    // Pasted as an input takes it: line breaks as spaces, those at the end dropped.
    await setClipboard('\r\n' + line + '\r\n\n');
    await page.press('Control+V');
    await page.press('Home');
    await page.type('01 ');
    await page.press('End');
    await page.type('02');
    await page.press('Control+A');
    await page.press('Control+C');
    assert.equal(clipboard(), '01  ' + line + '02');

    await page.press('Control+Z');
    await page.press('Control+A');
    await page.press('Control+C');
    assert.equal(clipboard(), '01  ' + line, 'the typing at the end undone');

    await page.click('#Command1');
    assert.equal(await value(page, 'Text2'), '1 0' + ' 254'.repeat(10));
    // Replaced whole by what is typed over the whole selection.
    await page.click('#Text1');
    await page.press('Control+A');
    await page.type('0C 0D ');
    await page.click('#Command1');
    assert.equal(await value(page, 'Text2'), '12 13');
}));

// The prompt's colour and the page's background behind it, and the contrast between them.
function promptColours()
{
    const rgb = (colour) => colour.match(/\d+/g).slice(0, 3).map(Number);
    const luminance = (channels) => {
        const [r, g, b] = channels.map((c) => c / 255).map((c) => (c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4));
        return 0.2126 * r + 0.7152 * g + 0.0722 * b;
    };
    const ink = rgb(getComputedStyle(document.getElementById('Label1')).color);
    const paper = rgb(getComputedStyle(document.getElementById('client')).backgroundColor);
    const [lighter, darker] = [luminance(ink), luminance(paper)].sort((a, b) => b - a);
    return {ink, contrast: (lighter + 0.05) / (darker + 0.05)};
}

// Pure blue reads at 8.6:1 on white but only about 2:1 on a dark background: there the prompt takes the
// first blue, lightened along its hue, that reaches 4.5:1.
function assertReadableBlue({ink: [red, green, blue], contrast})
{
    assert.ok(blue === 255 && red === green && red > 0, `the prompt is rgb(${red}, ${green}, ${blue})`);
    assert.ok(contrast >= 4.5 && contrast < 4.6, `contrast ${contrast.toFixed(2)}:1`);
}

test('the prompt pure blue on light, and a readable blue on a dark page', async () => {
    await onPage(async (page) => assert.deepEqual((await page.evaluate(promptColours)).ink, [0, 0, 255]));
    const dark = await launch(engine, {colorScheme: 'dark'});
    try {
        await onPage(async (page) => assertReadableBlue(await page.evaluate(promptColours)), dark);
    } finally {
        await dark.close();
    }
});

test('the prompt turns readable when the open page turns dark', skipFor('switchColourScheme'), () => onPage(async (page) => {
    await page.page.emulateMediaFeatures([{name: 'prefers-color-scheme', value: 'dark'}]);
    // The page hears of the change by an event of its own, a moment later.
    await page.waitFor(() => getComputedStyle(document.getElementById('Label1')).color !== 'rgb(0, 0, 255)');
    assertReadableBlue(await page.evaluate(promptColours));
}));

const spoken = [
    ['main', caption, 'Converts hexadecimal byte values to decimal.'],
    ['textbox', prompt,
     'Hexadecimal values separated by spaces. Every value but the last one is converted; end the line with a space to ' +
         'include it.'],
    ['textbox', 'Decimal values', 'The output of the conversion: the values in decimal, separated by spaces.'],
    ['button', 'Convert', 'Converts the hexadecimal values to decimal and shows them in Decimal values.'],
    ['textbox', 'Conversion result',
     'Working field of the conversion, below the visible part of the window and empty between conversions. The output ' +
         'is in Decimal values.'],
];

test('screen readers meet the desktop windows\' names and descriptions, in the accessibility tree',
     skipFor('accessibilityTree'), () => onPage(async (page) => {
         const session = await page.page.createCDPSession();
         const {nodes} = await session.send('Accessibility.getFullAXTree');
         const tree = nodes.filter((node) => !node.ignored).map((node) => [node.role?.value, node.name?.value ?? '',
                                                                           node.description?.value ?? '']);
         assert.ok(tree.some(([role, name]) => role === 'RootWebArea' && name === caption));
         for (const [role, name, description] of spoken)
             assert.deepEqual(tree.find(([r, n]) => r === role && n === name), [role, name, description], `${role} "${name}"`);
     }));

test('screen readers meet the desktop windows\' names and descriptions, in the ARIA markup', () => onPage(async (page) => {
    const named = await page.evaluate(() => [...document.querySelectorAll('main, input, button:not(dialog *)')].map((element) => {
        const text = (ids) => (ids ?? '').split(' ').map((id) => document.getElementById(id)?.textContent ?? '').join(' ').trim();
        const name = element.getAttribute('aria-label') ?? (text(element.getAttribute('aria-labelledby')) ||
                                                            element.labels?.[0]?.textContent || element.textContent);
        const role = {MAIN: 'main', INPUT: 'textbox', BUTTON: 'button'}[element.tagName];
        return [role, name, text(element.getAttribute('aria-describedby'))];
    }));
    assert.deepEqual(named, spoken);
    // The prompt labels the input field: a click on it puts the focus there.
    await page.evaluate(() => document.getElementById('Command1').focus());
    await page.click('#Label1');
    assert.equal(await focused(page), 'Text1');
}));

// Chromium emulates a phone: the viewport meta tag applied, touch, and a device pixel ratio of 3.
// Desktop Firefox and WebKitGTK cannot: there, a window of the same size, taps as touch pointers, and
// in WebKit the same ratio.
test('on a phone-sized touch screen: all in view, taps type and convert, and close the error box', async (t) => {
    const phone = await launch(engine, {window: [360, 740], scale: engine === 'firefox' ? 1 : 3, phone: true});
    try {
        await onPage(async (page) => {
            const screen = await page.evaluate(() => ({
                width: innerWidth, ratio: devicePixelRatio, scrollWidth: document.documentElement.scrollWidth,
                outside: ['Label1', 'Text1', 'Command1', 'Text2'].filter((id) => {
                    const box = document.getElementById(id).getBoundingClientRect();
                    return box.left < 0 || box.right > innerWidth || box.top < 0 || box.bottom > innerHeight;
                }),
                keyboard: [...document.querySelectorAll('input')].map((input) =>
                    [input.getAttribute('autocapitalize'), input.getAttribute('autocorrect'), input.enterKeyHint]),
            }));
            t.diagnostic(`viewport ${screen.width} CSS pixels wide at a device pixel ratio of ${screen.ratio}`);
            assert.ok(screen.scrollWidth <= screen.width, `scrolls sideways: ${screen.scrollWidth} > ${screen.width}`);
            assert.deepEqual(screen.outside, [], 'controls out of view');
            assert.deepEqual(new Set(screen.keyboard.map(String)), new Set(['off,off,done']));

            await page.tap('#Text1');
            await page.type('01 123456789 0A 0B');
            await page.press('Enter');
            assert.equal(await value(page, 'Text2'), '', 'Enter converted');
            await page.tap('#Command1');
            await page.waitFor(() => document.querySelector('dialog[open]') !== null);
            await page.tap('#boxOk');
            await page.waitFor(() => document.querySelector('dialog[open]') === null);
            await page.waitFor(() => document.getElementById('Text2').value !== '1').catch(() => {});
            assert.equal(await value(page, 'Text2'), '1  10');
        }, phone);
    } finally {
        await phone.close();
    }
});
