// Keys as the text box names them (textbox/key_rules.h), from the browser's key events, and the platform
// whose key rules the page follows.

// The page's platform, read when a key comes: 0 Linux and the rest, 1 Windows, 2 a Mac.
var linePlatform = () => (/^(Mac|iP)/.test(navigator.platform) ? 2 : /^Win/.test(navigator.platform) ? 1 : 0);

// A keydown's key with its modifiers, modifiers first: "Ctrl+Shift+Left", "Cmd+A".
function keyNameOf(event)
{
    const modifiers = [['ctrlKey', 'Ctrl'], ['altKey', 'Alt'], ['metaKey', 'Cmd'], ['shiftKey', 'Shift']];
    const key = event.key.length === 1 ? event.key.toUpperCase() : event.key.replace(/^Arrow/, '');
    return modifiers.filter(([flag]) => event[flag]).map(([, name]) => name + '+').join('') + key;
}
