// The editing scenarios every front-end's text box acts out (tests/window/field_scenarios.txt), read as
// the C++ tests read them (tests/support/field_scenarios.cpp).
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
            scenarios.push({name: argument, steps: []});
        else if (verb.startsWith('expect.') && steps?.at(-1)?.verb === 'expect')
            steps.at(-1).only[verb.slice(7)] = argument;
        else
            steps.push({verb, argument, only: {}, lineNumber: index + 1});
    });
    return scenarios;
}

export const expectedFor = (step, frontEnd) => step.only[frontEnd] ?? step.argument;

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
