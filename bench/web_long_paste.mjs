// A long line pasted into the web page in one browser engine (HEXDEC_ENGINE: chromium, firefox or
// webkit), headed on an X server, as a user pastes it: from the X clipboard (xclip) by ctrl+v, then a
// click on "Convert". Run by web_long_paste.sh, which starts the X server, once per engine. For each run
// it reports
//   load_ms      navigation until the page takes input, and launch_ms, browser start until then,
//   paste_ms     ctrl+v until the page has drawn a frame with the pasted line,
//   output_ms    ctrl+v until the frame after the click that converts it,
//   task_ms      the longest the page's main thread was busy from ctrl+v to that frame; own_ms, the
//                longest of the page's own tasks in that time (the paste handler, and the work it leaves
//                for tasks of their own), measured around them, but for clip_ms, the browser's handing
//                over of the pasted text in the handler (getData); the rest is the browser's own: reading
//                the X clipboard, laying out and drawing,
//   cpu_pct      CPU use of all the browser's processes over 5 s idle, the focus in the input, and
//                render_pct, that of the page's process alone,
//   freeze_ms    the longest a 20 ms timer on the page was late over those 5 s,
//   rss_mib      the page's process's resident memory after that, and hwm_mib, its peak, and
//   above_mib    resident memory above what that process held before the paste,
//   undo_ms      ctrl+a, Delete and ctrl+z in the long line, by the driver, until the next frame (the
//                whole line then checked to be back),
// checks the output, then prints the medians for each line length.
//   node bench/web_long_paste.mjs PAGE [RUNS] [MEGABYTES...]   RUNS of each (default 5), lengths (default 1 10)
import {readdirSync, readFileSync} from 'node:fs';
import {setTimeout as sleep} from 'node:timers/promises';
import {pathToFileURL} from 'node:url';

import {launch, pageProcess, setClipboard} from '../tests/web/browsers.mjs';

const engine = process.env.HEXDEC_ENGINE;
const [pagePath, runs = 5, ...lengths] = process.argv.slice(2);
const sizes = lengths.length > 0 ? lengths : [1, 10];
const idleSeconds = 5;
const ticksPerSecond = 100; // USER_HZ on Linux
const expected = Array(12).fill('254').join(' ');

// The fields of /proc/PID/stat after the process's name: state, parent, ...
function procStat(pid)
{
    const stat = readFileSync(`/proc/${pid}/stat`, 'utf8');
    return stat.slice(stat.lastIndexOf(')') + 2).split(' ');
}
const statusKib = (pid, key) => Number(readFileSync(`/proc/${pid}/status`, 'utf8').match(new RegExp(`^${key}:\\s+(\\d+)`, 'm'))[1]);

// The browser and every process under it.
function processTree(root)
{
    const parents = new Map();
    for (const name of readdirSync('/proc').filter((entry) => /^\d+$/.test(entry))) {
        try {
            parents.set(Number(name), Number(procStat(name)[1]));
        } catch {
            // gone meanwhile
        }
    }
    const tree = [root];
    for (let i = 0; i < tree.length; ++i)
        for (const [pid, parent] of parents)
            if (parent === tree[i])
                tree.push(pid);
    return tree;
}

const cpuTicks = (pids) => pids.reduce((sum, pid) => {
    try {
        const fields = procStat(pid);
        return sum + Number(fields[11]) + Number(fields[12]);
    } catch {
        return sum;
    }
}, 0);

const renderers = (root) => processTree(root).filter((pid) => {
    try {
        return pageProcess[engine](readFileSync(`/proc/${pid}/cmdline`, 'utf8'));
    } catch {
        return false;
    }
});

async function measure(line)
{
    const launchedAt = Date.now();
    const browser = await launch(engine, {window: [480, 320]});
    try {
        const page = await browser.newPage();
        await page.open(pathToFileURL(pagePath).href);
        await setClipboard(line);
        const [load, interactiveAt] = await page.evaluate(() => {
            const mark = performance.getEntriesByName('interactive')[0].startTime;
            return [mark, performance.timeOrigin + mark];
        });
        // The timestamps of the first frame after the paste and after the click, and the page's timer.
        await page.evaluate(() => {
            // The first frame once shown holds: the pasted line goes into the input in tasks after the paste's.
            const frameAfter = (name, shown = () => true) => requestAnimationFrame(function frame() {
                if (!shown())
                    return requestAnimationFrame(frame);
                setTimeout(() => { window[name] = Date.now(); });
            });
            document.addEventListener('paste', () => frameAfter('pastedAt', () => document.getElementById('Text1').value !== ''));
            // Around the input's own paste handler (before it as the event comes down, after it as it
            // bubbles), and around the work it leaves for tasks of their own.
            window.ownTasks = [];
            window.clipTook = 0;
            const getData = DataTransfer.prototype.getData;
            DataTransfer.prototype.getData = function (...format) {
                const from = performance.now();
                const data = getData.apply(this, format);
                window.clipTook += performance.now() - from;
                return data;
            };
            document.addEventListener('paste', () => { window.handlerFrom = performance.now(); }, true);
            window.addEventListener('paste', () => window.ownTasks.push(performance.now() - window.handlerFrom - window.clipTook));
            const flush = LineField.prototype.flush;
            LineField.prototype.flush = function () {
                const from = performance.now();
                flush.call(this);
                window.ownTasks.push(performance.now() - from);
            };
            document.getElementById('Command1').addEventListener('click', () => frameAfter('outputAt'));
            window.lateness = [];
            let last = performance.now();
            (function tick() {
                const now = performance.now();
                window.lateness.push([now, now - last - 20]);
                last = now;
                setTimeout(tick, 20);
            })();
        });
        const before = new Map(renderers(browser.pid).map((pid) => [pid, statusKib(pid, 'VmRSS')]));

        const pressedAt = Date.now();
        await page.press('Control+V');
        await page.waitFor(() => window.pastedAt !== undefined, undefined, 60000);
        await page.click('#Command1');
        await page.waitFor(() => window.outputAt !== undefined, undefined, 60000);
        const [pastedAt, outputAt, task, own, clip] = await page.evaluate((since) => [window.pastedAt, window.outputAt,
            Math.max(0, ...window.lateness.filter(([at]) => performance.timeOrigin + at >= since).map(([, late]) => late + 20)),
            Math.max(...window.ownTasks), window.clipTook], pressedAt);

        // Idle, as a user leaves it: the focus back in the long line, its caret blinking.
        await page.click('#Text1');
        await sleep(1000);
        const tree = processTree(browser.pid);
        const renderer = [...before.keys()].reduce((a, b) =>
            statusKib(b, 'VmRSS') - before.get(b) > statusKib(a, 'VmRSS') - before.get(a) ? b : a);
        const idleFrom = await page.evaluate(() => performance.now());
        const ticks0 = [cpuTicks(tree), cpuTicks([renderer])];
        const start = Date.now();
        await sleep(idleSeconds * 1000);
        const ticks1 = [cpuTicks(tree), cpuTicks([renderer])];
        const seconds = (Date.now() - start) / 1000;
        const freeze = await page.evaluate((from) =>
            Math.max(0, ...window.lateness.filter(([at]) => at >= from).map(([, late]) => late)), idleFrom);
        const rss = statusKib(renderer, 'VmRSS');
        const hwm = statusKib(renderer, 'VmHWM');
        // Select all, Delete, then undo, in the long line, until the next frame; the whole line back.
        const selectedAt = Date.now();
        for (const key of ['Control+A', 'Delete', 'Control+Z'])
            await page.press(key);
        await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => setTimeout(done))));
        const undone = Date.now() - selectedAt;
        const back = await page.evaluate(() => HEAP32[(_hexdec_field_state(1) >> 2) + 2]);
        if (back !== line.length)
            throw new Error(`after the undo the line holds ${back} code units, not ${line.length}`);
        const output = await page.evaluate(() => document.getElementById('Text2').value);
        if (output !== expected)
            throw new Error(`Text2 holds '${output.slice(0, 80)}', expected '${expected}'`);
        const percent = (i) => (ticks1[i] - ticks0[i]) / ticksPerSecond / seconds * 100;
        return {load_ms: load, launch_ms: interactiveAt - launchedAt, paste_ms: pastedAt - pressedAt,
                output_ms: outputAt - pressedAt, task_ms: task, own_ms: own, clip_ms: clip, cpu_pct: percent(0), render_pct: percent(1),
                freeze_ms: freeze, rss_mib: rss / 1024, hwm_mib: hwm / 1024,
                above_mib: (rss - before.get(renderer)) / 1024, undo_ms: undone};
    } finally {
        await browser.close();
    }
}

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = sorted.length >> 1;
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const row = (cells) => console.log(cells.map((cell) => String(cell).padStart(11)).join(''));

for (const megabytes of sizes) {
    // "FE FE ... F": a million characters a megabyte, of short tokens.
    const length = Number(megabytes) * 1000000;
    const line = 'FE '.repeat(Math.ceil(length / 3)).slice(0, length - 1) + 'F';
    const results = [];
    let columns;
    for (let run = 1; run <= Number(runs); ++run) {
        const result = await measure(line);
        if (!columns) {
            columns = Object.keys(result);
            row(['MB', 'run', ...columns]);
        }
        results.push(result);
        row([megabytes, run, ...columns.map((column) => result[column].toFixed(1))]);
    }
    row([megabytes, 'median', ...columns.map((column) => median(results.map((r) => r[column])).toFixed(1))]);
}
