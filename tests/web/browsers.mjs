// One small driver for the page's tests and benchmarks in every browser engine, each a headed browser on
// the X server of $DISPLAY: puppeteer-core drives Debian's Chromium over the DevTools protocol and
// Firefox ESR over WebDriver BiDi; WebKit (WebKitGTK's MiniBrowser, Safari's engine) is driven over
// classic WebDriver, spoken here as JSON over HTTP, which any node from 18 on can do.
//   const browser = await launch('webkit', {colorScheme: 'dark', window: [360, 740], scale: 2});
//   const page = await browser.newPage();
//   await page.open(address); await page.press('Shift+Tab'); await page.type('FE ');
//   await page.click('#Command1'); await page.tap('#Text1'); await page.evaluate(() => document.title);
//   const {requests, errors} = await page.record(); await page.close(); await browser.close();
// browser.pid is the root of the browser's processes, and pageProcess says which of them runs pages.
// The clipboard is the X server's own, through xclip: permission grants exist only over CDP.
import {execFileSync, spawn} from 'node:child_process';
import {existsSync, writeFileSync} from 'node:fs';
import {createServer} from 'node:net';
import {pathToFileURL} from 'node:url';

import puppeteer from 'puppeteer-core';

export const engines = ['chromium', 'firefox', 'webkit'];
export const executables = {
    chromium: '/usr/bin/chromium',
    firefox: '/usr/bin/firefox-esr',
    webkit: '/usr/bin/WebKitWebDriver',
};
const miniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';

// Whether a process's command line is that of a process that runs pages, in each engine.
export const pageProcess = {
    chromium: (commandLine) => commandLine.includes('--type=renderer'),
    firefox: (commandLine) => commandLine.includes('-contentproc') && commandLine.includes('tab'),
    webkit: (commandLine) => commandLine.includes('WebKitWebProcess'),
};

// What each engine's driver cannot do, for the tests that need it to say so and skip that engine.
export const cannot = {
    // Switching the colour scheme of an open page, and the accessibility tree, exist only over CDP.
    switchColourScheme: {firefox: 'Firefox takes its colour scheme at launch', webkit: 'WebKit takes its colour scheme at launch'},
    accessibilityTree: {firefox: 'the accessibility tree is read over CDP only', webkit: 'the accessibility tree is read over CDP only'},
    // Firefox's BiDi keys fire keydown and keyup on a focused button but never press it; the
    // end-to-end scenario presses it with real keys.
    pressButtonByKey: {firefox: 'BiDi keys never press a focused button (the end-to-end scenario does, with real keys)'},
};

// Resolves once the clipboard holds text, served by an xclip of its own from the background: xclip
// takes the clipboard some time after it has read all of its input. The clipboard first takes a line of
// this call's own, so that the same text still there from before cannot end the wait, and a paste that
// follows never meets the clipboard changing hands under it.
export async function setClipboard(text)
{
    await takeClipboard(`browsers.mjs: the clipboard is being set (${process.pid}, ${Date.now()})`);
    await takeClipboard(text);
}

async function takeClipboard(text)
{
    const xclip = spawn('xclip', ['-selection', 'clipboard', '-i'], {stdio: ['pipe', 'ignore', 'inherit'], detached: true});
    xclip.stdin.end(text);
    xclip.unref();
    const deadline = Date.now() + 30000;
    while (clipboard() !== text) {
        if (Date.now() > deadline)
            throw new Error('the clipboard does not hold the text given to xclip after 30 s');
        await sleep(50);
    }
}

export function clipboard()
{
    try {
        return execFileSync('xclip', ['-o', '-selection', 'clipboard'], {encoding: 'utf8', maxBuffer: 1 << 28, timeout: 5000});
    } catch {
        return '';
    }
}

const sleep = (milliseconds) => new Promise((resolve) => setTimeout(resolve, milliseconds));

// How long a browser may take to start, and a page to open: a first start with a fresh profile, as
// each launch here is, takes seconds on a busy machine.
const startTimeout = 60000;

// Splits 'Control+Shift+A' into its modifiers and its key.
function chord(keys)
{
    const parts = keys === '+' ? ['+'] : keys.split('+');
    return {modifiers: parts.slice(0, -1), key: parts.at(-1)};
}

// Options: colorScheme 'light' or 'dark'; window [width, height] in CSS pixels; scale, the device
// pixel ratio; phone, Chromium's emulation of a phone of that window size (desktop Firefox and
// WebKitGTK ignore the viewport meta tag and cannot emulate one: they take only the window).
export async function launch(engine, options = {})
{
    if (engine === 'webkit')
        return WebDriverBrowser.launch(options);
    return PuppeteerBrowser.launch(engine, options);
}

class PuppeteerBrowser
{
    static async launch(engine, {colorScheme = 'light', window = [800, 600], scale = 1, phone = false})
    {
        const [width, height] = window;
        const common = {headless: false, defaultViewport: null, protocolTimeout: 120000, timeout: startTimeout};
        let browser;
        if (engine === 'chromium') {
            // Root may not use the browser's sandbox; --test-type keeps the warning bar about it off.
            const sandbox = process.getuid() === 0 ? ['--no-sandbox', '--test-type'] : [];
            browser = await puppeteer.launch({
                ...common, browser: 'chrome', executablePath: executables.chromium,
                args: [...sandbox, '--no-first-run', '--disable-background-networking', '--disable-component-update',
                       '--disable-sync', '--window-position=0,0', `--window-size=${width},${height}`,
                       `--force-device-scale-factor=${scale}`],
            });
        } else {
            browser = await puppeteer.launch({
                ...common, browser: 'firefox', executablePath: executables.firefox,
                args: [`--width=${width}`, `--height=${height}`],
                extraPrefsFirefox: {
                    // 0 dark, 1 light: the scheme the page is told, whatever the desktop's theme.
                    'layout.css.prefers-color-scheme.content-override': colorScheme === 'dark' ? 0 : 1,
                    'layout.css.devPixelsPerPx': String(scale),
                },
            });
        }
        return new PuppeteerBrowser(engine, browser, {colorScheme, width, height, scale, phone});
    }

    constructor(engine, browser, options)
    {
        this.engine = engine;
        this.browser = browser;
        this.options = options;
        this.pid = browser.process().pid; // the root of the browser's processes
    }

    async newPage()
    {
        // A tab of its own each time: the first one stays open, so that closing a page never closes the
        // browser's last window.
        const page = await this.browser.newPage();
        if (this.engine === 'chromium') {
            await page.emulateMediaFeatures([{name: 'prefers-color-scheme', value: this.options.colorScheme}]);
            if (this.options.phone)
                await page.emulate({
                    userAgent: await this.browser.userAgent(),
                    viewport: {width: this.options.width, height: this.options.height, deviceScaleFactor: this.options.scale,
                               isMobile: true, hasTouch: true},
                });
        }
        return new PuppeteerPage(this, page);
    }

    close() { return this.browser.close(); }
}

class PuppeteerPage
{
    constructor(browser, page)
    {
        this.engine = browser.engine;
        this.page = page;
        this.requests = [];
        this.errors = [];
        // Every request the page makes, and every error it raises or logs.
        page.on('request', (request) => this.requests.push(request.url()));
        page.on('pageerror', (error) => this.errors.push(error.message));
        page.on('console', (message) => message.type() === 'error' && this.errors.push(message.text()));
    }

    async open(address)
    {
        await this.page.goto(address, {timeout: startTimeout});
        await this.waitFor(() => performance.getEntriesByName('interactive').length > 0, undefined, startTimeout);
    }

    evaluate(script, ...args) { return this.page.evaluate(script, ...args); }

    async waitFor(script, arg, timeout = 20000)
    {
        await this.page.waitForFunction(script, {timeout}, arg);
    }

    async press(keys)
    {
        const {modifiers, key} = chord(keys);
        const name = (part) => (/^[a-z]$/i.test(part) ? 'Key' + part.toUpperCase() : part === ' ' ? 'Space' : part);
        for (const modifier of modifiers)
            await this.page.keyboard.down(modifier);
        await this.page.keyboard.press(name(key));
        for (const modifier of modifiers.reverse())
            await this.page.keyboard.up(modifier);
    }

    async record() { return {requests: this.requests, errors: this.errors}; }
    type(text) { return this.page.keyboard.type(text); }
    click(selector) { return this.page.click(selector); }
    tap(selector) { return this.page.tap(selector); }
    screenshot(path) { return this.page.screenshot({path}); }
    close() { return this.page.close(); }
}

// WebKitGTK's WebDriver, which starts a MiniBrowser per session.
class WebDriverBrowser
{
    static async launch({colorScheme = 'light', window = [800, 600], scale = 1})
    {
        const port = await freePort();
        const driver = spawn(executables.webkit, [`--port=${port}`], {
            stdio: ['ignore', 'ignore', 'inherit'],
            // GDK_SCALE is how GTK takes a device pixel ratio.
            env: {...process.env, GDK_SCALE: String(scale)},
        });
        const base = `http://127.0.0.1:${port}`;
        for (const deadline = Date.now() + startTimeout; ;) {
            try {
                await fetch(`${base}/status`);
                break;
            } catch (error) {
                if (Date.now() > deadline)
                    throw new Error(`WebKitWebDriver did not answer on port ${port} within ${startTimeout / 1000} s: ${error.message}`);
                await sleep(100);
            }
        }
        const args = ['--automation', ...(colorScheme === 'dark' ? ['--dark-mode'] : [])];
        const {value} = await send(base, 'POST', '/session', {
            capabilities: {alwaysMatch: {browserName: 'MiniBrowser', 'webkitgtk:browserOptions': {binary: miniBrowser, args}}},
        });
        const browser = new WebDriverBrowser(driver, `${base}/session/${value.sessionId}`);
        // The outer window, so that the page's viewport is the size asked for.
        const [width, height] = window;
        await browser.command('POST', '/window/rect', {x: 0, y: 0, width, height});
        return browser;
    }

    constructor(driver, session)
    {
        this.engine = 'webkit';
        this.driver = driver;
        this.session = session;
        this.pid = driver.pid; // the driver starts the browser, and the browser its page's process
    }

    async command(method, path, body)
    {
        return (await send(this.session, method, path, body)).value;
    }

    newPage() { return new WebDriverPage(this); }

    async close()
    {
        await send(this.session, 'DELETE', '').catch(() => {});
        this.driver.kill();
    }
}

async function send(base, method, path, body)
{
    const response = await fetch(base + path, {
        method, headers: {'Content-Type': 'application/json'}, body: body === undefined ? undefined : JSON.stringify(body)});
    const answer = await response.json();
    if (!response.ok)
        throw new Error(`WebDriver ${method} ${path}: ${answer.value?.error}: ${answer.value?.message}`);
    return answer;
}

function freePort()
{
    return new Promise((resolve) => {
        const server = createServer().listen(0, '127.0.0.1', () => {
            const {port} = server.address();
            server.close(() => resolve(port));
        });
    });
}

// WebDriver's names for the keys the tests press.
const webdriverKeys = {
    Backspace: '\uE003', Tab: '\uE004', Enter: '\uE007', Shift: '\uE008', Control: '\uE009', Alt: '\uE00A',
    Escape: '\uE00C', End: '\uE010', Home: '\uE011', ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014',
    ArrowDown: '\uE015', Delete: '\uE017', Meta: '\uE03D',
};

class WebDriverPage
{
    constructor(browser)
    {
        this.engine = 'webkit';
        this.browser = browser;
        this.address = '';
    }

    // Classic WebDriver tells of no request, console message or error: the page records the Content
    // Security Policy's refusals and its errors itself from load on, and with `default-src 'none'` any
    // request but the page's own would be refused. What it did fetch, the resource timings list.
    async open(address)
    {
        this.address = address;
        await this.browser.command('POST', '/url', {url: address});
        await this.waitFor(() => performance.getEntriesByName('interactive').length > 0, undefined, startTimeout);
        await this.evaluate(() => {
            window.hexdecTestRecord = {refused: [], errors: []};
            document.addEventListener('securitypolicyviolation', (event) => window.hexdecTestRecord.refused.push(event.blockedURI));
            window.addEventListener('error', (event) => window.hexdecTestRecord.errors.push(event.message));
        });
    }

    async evaluate(script, ...args)
    {
        return this.browser.command('POST', '/execute/async', {
            script: `const done = arguments[arguments.length - 1];
                     Promise.resolve((${script}).apply(null, Array.from(arguments).slice(0, -1))).then(done, (error) => done({hexdecError: String(error)}));`,
            args,
        }).then((value) => {
            if (value && typeof value === 'object' && 'hexdecError' in value)
                throw new Error(value.hexdecError);
            return value;
        });
    }

    async waitFor(script, arg, timeout = 20000)
    {
        const deadline = Date.now() + timeout;
        while (!(await this.evaluate(script, arg))) {
            if (Date.now() > deadline)
                throw new Error(`waited ${timeout / 1000} s for ${script}`);
            await sleep(20);
        }
    }

    async keyActions(actions)
    {
        await this.browser.command('POST', '/actions', {actions: [{type: 'key', id: 'keyboard', actions}]});
    }

    async press(keys)
    {
        const {modifiers, key} = chord(keys);
        const value = (part) => webdriverKeys[part] ?? (part.length === 1 ? part.toLowerCase() : part);
        await this.keyActions([
            ...modifiers.map((part) => ({type: 'keyDown', value: value(part)})),
            {type: 'keyDown', value: value(key)}, {type: 'keyUp', value: value(key)},
            ...modifiers.reverse().map((part) => ({type: 'keyUp', value: value(part)})),
        ]);
    }

    async type(text)
    {
        await this.keyActions([...text].flatMap((character) => [{type: 'keyDown', value: character}, {type: 'keyUp', value: character}]));
    }

    async center(selector)
    {
        return this.evaluate((selector) => {
            const box = document.querySelector(selector).getBoundingClientRect();
            return [Math.round(box.left + box.width / 2), Math.round(box.top + box.height / 2)];
        }, selector);
    }

    async pointer(selector, pointerType)
    {
        const [x, y] = await this.center(selector);
        await this.browser.command('POST', '/actions', {actions: [{
            type: 'pointer', id: pointerType, parameters: {pointerType},
            actions: [{type: 'pointerMove', x, y, origin: 'viewport'}, {type: 'pointerDown', button: 0}, {type: 'pointerUp', button: 0}],
        }]});
        await this.browser.command('DELETE', '/actions');
    }

    click(selector) { return this.pointer(selector, 'mouse'); }
    tap(selector) { return this.pointer(selector, 'touch'); }

    async screenshot(path)
    {
        writeFileSync(path, Buffer.from(await this.browser.command('GET', '/screenshot'), 'base64'));
    }

    async record()
    {
        const {recorded, fetched} = await this.evaluate(() => ({
            recorded: window.hexdecTestRecord ?? {refused: [], errors: []},
            fetched: performance.getEntriesByType('resource').map((entry) => entry.name),
        }));
        return {requests: [this.address, ...fetched, ...recorded.refused], errors: recorded.errors};
    }

    async close() {}
}

// node browsers.mjs ENGINE: exits 77 (skipped), saying why, when the engine is not installed.
if (import.meta.url === pathToFileURL(process.argv[1] ?? '').href) {
    const engine = process.argv[2];
    if (!engines.includes(engine)) {
        console.error(`browsers: no such engine: ${engine}`);
        process.exit(2);
    }
    if (!existsSync(executables[engine])) {
        console.log(`SKIP: ${engine}: ${executables[engine]} is not installed`);
        process.exit(77);
    }
}
