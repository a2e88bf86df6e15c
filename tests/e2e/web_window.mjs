// The web page in one engine's browser window on $DISPLAY, for the end-to-end scenario, which types and
// clicks into it with real keys and pointer (xdotool). Opens the page, says "ready PID" (the browser's
// root process) on a line, then answers what xdotool cannot tell, one question a line on its input:
//   client-origin X Y   "X Y": where the client area starts in the browser's X window, in its pixels,
//                       once the pointer has been moved to X Y in that window ("none" before)
//   box-open        "yes" while the message box is up, "no" otherwise
//   input           "FOCUSED KEYS CLICKS MOVES": whether the page has the keyboard focus ("yes" or "no"),
//                   and how many keys (modifiers alone not counted), mouse clicks and pointer moves have
//                   reached it
// and ends the browser when its input ends.
//   node web_window.mjs ENGINE PAGE
import {createInterface} from 'node:readline';
import {pathToFileURL} from 'node:url';

import {launch} from '../web/browsers.mjs';

const [engine, pagePath] = process.argv.slice(2);
const browser = await launch(engine, {window: [480, 320]});
try {
    const page = await browser.newPage();
    await page.open(pathToFileURL(pagePath).href);
    // Where the page lies in the window, no browser tells alike: the pointer, moved to a known place in
    // the window, says it in every one. Input is counted before the page sees it: a click by its button's
    // release, which a key that clicks a button (Enter, Space) makes none of.
    await page.evaluate(() => {
        window.hexdecInput = {keys: 0, clicks: 0, moves: 0};
        document.addEventListener('pointermove', (event) => {
            window.hexdecPointer = [event.clientX, event.clientY];
            window.hexdecInput.moves++;
        }, true);
        const modifiers = new Set(['Shift', 'Control', 'Alt', 'AltGraph', 'Meta', 'Super', 'Hyper', 'OS']);
        window.addEventListener('keydown', (event) => modifiers.has(event.key) || window.hexdecInput.keys++, true);
        window.addEventListener('mouseup', () => window.hexdecInput.clicks++, true);
    });
    console.log(`ready ${browser.pid}`);
    for await (const question of createInterface({input: process.stdin})) {
        const [asked, ...at] = question.split(' ');
        if (asked === 'client-origin') {
            const origin = await page.evaluate((at) => {
                if (!window.hexdecPointer)
                    return ['none'];
                const box = document.getElementById('client').getBoundingClientRect();
                return [0, 1].map((i) => Math.round(at[i] + (box[['left', 'top'][i]] - window.hexdecPointer[i]) * devicePixelRatio));
            }, at.map(Number));
            console.log(origin.join(' '));
        } else if (question === 'box-open') {
            console.log(await page.evaluate(() => document.querySelector('dialog[open]') !== null) ? 'yes' : 'no');
        } else if (question === 'input') {
            console.log(await page.evaluate(() => {
                const {keys, clicks, moves} = window.hexdecInput;
                return `${document.hasFocus() ? 'yes' : 'no'} ${keys} ${clicks} ${moves}`;
            }));
        } else {
            console.log(`no such question: ${question}`);
        }
    }
} finally {
    await browser.close();
}
