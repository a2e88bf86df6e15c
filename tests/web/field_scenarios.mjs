// The editing scenarios every front-end's text box acts out (tests/window/field_scenarios.txt), read and
// acted out as the C++ tests do (tests/support/field_scenarios.cpp, scenario_runner.cpp).
import {readFileSync} from 'node:fs';

const unescape = (text) => text.replace(/\\(t|r|n|\\|u\{([0-9A-Fa-f]+)\})/g, (_, escape, hex) =>
    hex ? String.fromCodePoint(parseInt(hex, 16)) : {t: '\t', r: '\r', n: '\n', '\\': '\\'}[escape]);

export function fieldScenarios()
{
    const scenarios = [];
    const lines = readFileSync(new URL('../window/field_scenarios.txt', import.meta.url), 'utf8').split('\n');
    lines.forEach((line, index) => {
        if (line === '' || line.startsWith('#'))
            return;
        const space = line.indexOf(' ');
        const verb = space < 0 ? line : line.slice(0, space);
        const argument = unescape(space < 0 ? '' : line.slice(space + 1));
        const steps = scenarios.at(-1)?.steps;
        if (verb === 'scenario')
            scenarios.push({name: argument, keys: '', steps: []});
        else if (verb === 'keys')
            scenarios.at(-1).keys = argument;
        else if (verb.startsWith('expect.') && steps?.at(-1)?.verb === 'expect')
            verb.slice(7).split(',').forEach((rules) => { steps.at(-1).only[rules] = argument; });
        else
            steps.push({verb, argument, only: {}, lineNumber: index + 1});
    });
    return scenarios;
}

export const expectedFor = (step, rules) => step.only[rules] ?? step.argument;

// None, to just past the threshold, to exactly it, and to 1 MB.
export function paddingsFor(shortLength, threshold)
{
    const padding = (name, total) => {
        const rest = total - shortLength;
        const before = '00 '.repeat(Math.floor(Math.floor(rest / 2) / 3));
        const after = rest - before.length;
        return {name, before, after: ' 00'.repeat(Math.floor(after / 3)) + '0'.repeat(after % 3)};
    };
    return [{name: 'short', before: '', after: ''}, padding('past the threshold', threshold + 64),
            padding('at the threshold', threshold), padding('1 MB', 1 << 20)];
}

// A line with its marks (| the cursor, ^ the anchor, [ and ] the padding) made real.
export function unmark(marked, padding)
{
    let line = '';
    let anchor = -1;
    let cursor = 0;
    for (const unit of marked.split('')) {
        if (unit === '|')
            cursor = line.length;
        else if (unit === '^')
            anchor = line.length;
        else
            line += unit === '[' ? padding.before : unit === ']' ? padding.after : unit;
    }
    return {line, anchor: anchor < 0 ? cursor : anchor, cursor};
}

// For a failure's message: the padding shown as [ and ], the marks put back in.
export function described({line, anchor, cursor}, padding)
{
    let marked = line.slice(0, Math.min(anchor, cursor)) + (anchor < cursor ? '^' : '|') +
                 line.slice(Math.min(anchor, cursor), Math.max(anchor, cursor)) +
                 (anchor === cursor ? '' : anchor < cursor ? '|' : '^') + line.slice(Math.max(anchor, cursor));
    if (anchor === cursor)
        marked = line.slice(0, cursor) + '|' + line.slice(cursor);
    const before = padding.before && marked.startsWith(padding.before);
    const after = padding.after && marked.endsWith(padding.after);
    const middle = marked.slice(before ? padding.before.length : 0, after ? marked.length - padding.after.length : undefined);
    if (middle.length > 200)
        return `a line of ${line.length} code units, anchor ${anchor}, cursor ${cursor}`;
    return (before ? '[' : '') + JSON.stringify(middle).slice(1, -1) + (after ? ']' : '');
}

// Why scenario is not for the keys of rules (a name of the text box's key rules), or nothing when it is.
export function skipReason(scenario, rules)
{
    const mac = rules.endsWith('-mac');
    if (scenario.keys === '' || scenario.keys === (mac ? 'mac' : 'pc'))
        return undefined;
    return `the keys of ${scenario.keys === 'mac' ? 'a Mac' : 'a PC'}, not of ${rules}`;
}

// Acts scenario out on its line with padding, through driver, with the keys of rules; throws at the first
// difference. A key step names a key, or a command whose key on the platform driver.keyFor finds, as the
// page's own key rules have it.
export async function actOut(scenario, padding, rules, driver)
{
    for (const step of scenario.steps) {
        const where = `${scenario.name}, ${padding.name}, field_scenarios.txt:${step.lineNumber}`;
        if (step.verb === 'start') {
            await driver.start(unmark(step.argument, padding));
        } else if (step.verb === 'key') {
            const key = await driver.keyFor(step.argument);
            if (!key)
                throw new Error(`${where}: no key for ${step.argument} in ${rules}`);
            await driver.press(key);
        } else if (step.verb === 'type') {
            await driver.type(step.argument);
        } else if (step.verb === 'caret') {
            await driver.caret(step.argument);
        } else if (step.verb === 'clip') {
            await driver.setClipboard(step.argument);
        } else if (step.verb === 'expect' && expectedFor(step, rules) === '-') {
            return;
        } else if (step.verb === 'expect') {
            const now = await driver.state();
            const expected = unmark(expectedFor(step, rules), padding);
            if (described(now, padding) !== described(expected, padding) || now.line !== expected.line)
                throw new Error(`${where}: ${described(now, padding)}, expected ${described(expected, padding)}`);
            const disagrees = await driver.boxDisagrees();
            if (disagrees)
                throw new Error(`${where}: ${disagrees}`);
        } else if (step.verb === 'clipboard') {
            const held = await driver.clipboard();
            if (held !== unmark(step.argument, padding).line)
                throw new Error(`${where}: the clipboard holds ${JSON.stringify(held.slice(0, 40))}`);
        } else {
            throw new Error(`${where}: unknown step ${step.verb}`);
        }
    }
}
