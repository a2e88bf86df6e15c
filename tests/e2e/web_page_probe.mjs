// What a person sees on the page in Chromium's app window and xdotool cannot tell: where the client
// area lies in the window, and whether the message box is up. The browser was started with
// --remote-debugging-port=0 and --user-data-dir=PROFILE.
//   node web_page_probe.mjs PROFILE client-origin   prints "X Y", in the window's pixels
//   node web_page_probe.mjs PROFILE box-open        exits 0 while the box is up, 1 otherwise
import {readFileSync} from 'node:fs';

import {chromium} from 'playwright-core';

const [profile, question] = process.argv.slice(2);
const port = readFileSync(`${profile}/DevToolsActivePort`, 'utf8').split('\n')[0];
const browser = await chromium.connectOverCDP(`http://127.0.0.1:${port}`);
const page = browser.contexts()[0].pages()[0];
if (question === 'client-origin') {
    // Without a window manager the app window is the page's viewport, with no frame around it.
    const origin = await page.$eval('#client', (client) => {
        const box = client.getBoundingClientRect();
        return [box.left, box.top].map((at) => Math.round(at * devicePixelRatio));
    });
    console.log(origin.join(' '));
    process.exit(0);
}
if (question === 'box-open')
    process.exit(await page.$('dialog[open]') ? 0 : 1);
console.error(`web_page_probe: no such question: ${question}`);
process.exit(2);
