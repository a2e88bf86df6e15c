// The page in Debian's headless Chromium, driven through the DevTools protocol: places, keys, the
// conversion, the message box, long lines, colours and the accessibility tree. Every test also checks
// that the page asked for nothing but itself and raised no error.
//   HEXDEC_PAGE=build/web/app/vantrel-hex2dec.html node --test tests/web/page_test.mjs
import assert from 'node:assert/strict';
import {after, before, test} from 'node:test';
import {pathToFileURL} from 'node:url';

import {chromium} from 'playwright-core';

const pageAddress = pathToFileURL(process.env.HEXDEC_PAGE).href;
const caption = 'Vantrel Hex to Decimal Converter';
const prompt = 'Enter you Filter Code (ex.FE FE 00 90 01 05 FD)';

let browser;
before(async () => {
    // Root may not use the browser's sandbox.
    const args = process.getuid() === 0 ? ['--no-sandbox'] : [];
    browser = await chromium.launch({executablePath: '/usr/bin/chromium', args});
});
after(() => browser.close());

// Runs body on a fresh page, ready for input, with a clipboard; then checks what every test checks.
async function onPage(body, options = {})
{
    const context = await browser.newContext({permissions: ['clipboard-read', 'clipboard-write'], ...options});
    const page = await context.newPage();
    const requests = [];
    const errors = [];
    page.on('request', (request) => requests.push(request.url()));
    page.on('pageerror', (error) => errors.push(error.message));
    page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
    try {
        await page.goto(pageAddress);
        await page.waitForFunction(() => performance.getEntriesByName('interactive').length > 0);
        await body(page);
        assert.deepEqual(requests, [pageAddress], 'the page asked for nothing but itself');
        assert.deepEqual(errors, []);
    } finally {
        await context.close();
    }
}

const value = (page, id) => page.$eval('#' + id, (input) => input.value);
const focused = (page) => page.evaluate(() => document.activeElement.id);

async function clipboard(page, text)
{
    if (text !== undefined)
        await page.evaluate((line) => navigator.clipboard.writeText(line), text);
    return page.evaluate(() => navigator.clipboard.readText());
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
    assert.equal(await page.evaluate(() => document.elementFromPoint(20, 200)?.id ?? null) === 'Text3', false);
    assert.equal(await page.title(), caption);
    assert.equal(await page.textContent('h1'), caption);
}));

test('Tab walks Text1, Text2, Command1 and round; Enter and Esc convert nothing, Enter and Space on the button do',
     () => onPage(async (page) => {
         assert.equal(await focused(page), 'Text1');
         const walked = [];
         for (const key of ['Tab', 'Tab', 'Tab', 'Shift+Tab', 'Shift+Tab']) {
             await page.keyboard.press(key);
             walked.push(await focused(page));
         }
         assert.deepEqual(walked, ['Text2', 'Command1', 'Text1', 'Command1', 'Text2']);

         await page.click('#Text1');
         await page.keyboard.type('0A 0B ');
         await page.keyboard.press('Enter');
         await page.keyboard.press('Escape');
         assert.equal(await value(page, 'Text2'), '');
         for (const key of ['Enter', ' ']) {
             await page.fill('#Text2', '');
             await page.focus('#Command1');
             await page.keyboard.press(key);
             assert.equal(await value(page, 'Text2'), '10 11', `${key} on the button`);
         }
     }));

test('a click converts the example line', () => onPage(async (page) => {
    await page.keyboard.type('FE FE 00 90 01 05 FD');
    await page.click('#Command1');
    assert.equal(await value(page, 'Text2'), '254 254 0 144 1 5');
}));

test('the error box holds the conversion, over a page that takes no input, then the line goes on', () => onPage(async (page) => {
    await page.fill('#Text1', '01 123456789 02 03');
    await page.click('#Command1');
    await page.waitForSelector('dialog[open]');
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
    await page.$eval('#Command1', (button) => button.click());
    assert.equal(await page.locator('dialog[open]').count(), 1);

    const tree = await accessibilityTree(page);
    assert.ok(tree.some((node) => node.role === 'alertdialog' && node.name === 'Error' &&
                                  node.description === 'There was an error'));

    await page.keyboard.press('Enter');
    await page.waitForSelector('dialog[open]', {state: 'detached'}).catch(() => {});
    assert.equal(await page.locator('dialog[open]').count(), 0);
    assert.equal(await value(page, 'Text2'), '1  2');
    assert.equal(await page.getAttribute('html', 'data-exit-status'), null);
}));

test('an error the conversion does not trap is shown under the caption, then the program ends', () => onPage(async (page) => {
    await page.fill('#Text1', 'FE FE');
    await page.$eval('#Text3', (field) => field.remove());
    await page.click('#Command1');
    await page.waitForSelector('dialog[open]');
    assert.equal(await page.textContent('#boxTitle'), caption);
    assert.equal(await page.textContent('#boxPrompt'), 'the field would not take its text');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => document.documentElement.dataset.exitStatus !== undefined);
    assert.equal(await page.getAttribute('html', 'data-exit-status'), '1');
    assert.equal(await page.$eval('#Form1', (form) => form.inert), true);
    assert.equal(await page.isVisible('#ended'), true);
}));

test('a long line is pasted, edited at both ends, undone, copied and converted whole', () => onPage(async (page) => {
    const line = 'FE '.repeat(100000);
    // Pasted as an input takes it: line breaks as spaces, those at the end dropped.
    await clipboard(page, '\r\n' + line + '\r\n\n');
    await page.keyboard.press('Control+V');
    await page.keyboard.press('Home');
    await page.keyboard.type('01 ');
    await page.keyboard.press('End');
    await page.keyboard.type('02');
    await page.keyboard.press('Control+A');
    await page.keyboard.press('Control+C');
    assert.equal(await clipboard(page), '01  ' + line + '02');

    await page.keyboard.press('Control+Z');
    await page.keyboard.press('Control+A');
    await page.keyboard.press('Control+C');
    assert.equal(await clipboard(page), '01  ' + line, 'the typing at the end undone');

    await page.click('#Command1');
    assert.equal(await value(page, 'Text2'), '1 0' + ' 254'.repeat(10));
    // Replaced whole by what is typed over the whole selection.
    await page.focus('#Text1');
    await page.keyboard.press('Control+A');
    await page.keyboard.type('0C 0D ');
    await page.click('#Command1');
    assert.equal(await value(page, 'Text2'), '12 13');
}));

test('the prompt pure blue on light, and the readable blue once the page turns dark', () => onPage(async (page) => {
    const colour = () => page.$eval('#Label1', (label) => getComputedStyle(label).color);
    assert.equal(await colour(), 'rgb(0, 0, 255)');
    await page.emulateMedia({colorScheme: 'dark'});
    // The page hears of the change by an event of its own, a moment later.
    await page.waitForFunction(() => getComputedStyle(document.querySelector('#Label1')).color !== 'rgb(0, 0, 255)',
                               null, {timeout: 5000}).catch(() => {});
    // Pure blue on the browser's dark background, rgb(18, 18, 18), reaches only 2.1:1; the first blue
    // lightened along its hue to reach 4.5:1 is (105, 105, 255), at 4.52:1 (104 gives 4.47:1).
    assert.equal(await colour(), 'rgb(105, 105, 255)');
}, {colorScheme: 'light'}));

async function accessibilityTree(page)
{
    const session = await page.context().newCDPSession(page);
    const {nodes} = await session.send('Accessibility.getFullAXTree');
    return nodes.filter((node) => !node.ignored).map((node) => ({
        role: node.role?.value, name: node.name?.value ?? '', description: node.description?.value ?? ''}));
}

test('screen readers meet the desktop windows\' names and descriptions', () => onPage(async (page) => {
    const tree = await accessibilityTree(page);
    const find = (role, name) => tree.find((node) => node.role === role && node.name === name);
    assert.ok(find('RootWebArea', caption));
    assert.equal(find('main', caption)?.description, 'Converts hexadecimal byte values to decimal.');
    for (const [role, name, description] of [
             ['textbox', prompt,
              'Hexadecimal values separated by spaces. Every value but the last one is converted; end the line with a ' +
                  'space to include it.'],
             ['textbox', 'Decimal values', 'The output of the conversion: the values in decimal, separated by spaces.'],
             ['button', 'Convert', 'Converts the hexadecimal values to decimal and shows them in Decimal values.'],
             ['textbox', 'Conversion result',
              'Working field of the conversion, below the visible part of the window and empty between conversions. ' +
                  'The output is in Decimal values.'],
         ])
        assert.equal(find(role, name)?.description, description, `${role} "${name}"`);
    // The prompt labels the input field: a click on it puts the focus there.
    await page.focus('#Command1');
    await page.click('#Label1');
    assert.equal(await focused(page), 'Text1');
}));
