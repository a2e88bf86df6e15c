// The page's modal message box: a dialog over the page, which takes no other input while it is up.

// Shows prompt under title, with the critical-stop icon when asked; resolves once the box is closed by
// its OK button, by Enter or Space on it, or by Esc.
function showMessageBox(prompt, title, criticalIcon)
{
    const box = document.getElementById('box');
    document.getElementById('boxTitle').textContent = title;
    document.getElementById('boxPrompt').textContent = prompt;
    document.getElementById('boxIcon').hidden = !criticalIcon;
    return new Promise((resolve) => {
        box.addEventListener('close', () => resolve(), {once: true});
        box.showModal();
    });
}

document.getElementById('boxOk').addEventListener('click', () => document.getElementById('box').close());
