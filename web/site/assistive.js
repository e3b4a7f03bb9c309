// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The assistive copy of a window: what the program describes of it
// (shell/layer/accessible.h, one line a node) as buttons, radio buttons and
// texts beside its canvas.
// The window's elements as the program describes them: buttons, radio
// buttons and texts, rebuilt only when the description changed. A press
// of one is a click at it, through the same input as the pointer's.
export function describe(win, text, press) {
  if (text === win.described) return;
  win.described = text;
  const nodes = [];
  for (const line of text.split('\n')) {
    if (!line) continue;
    const [role, name, accessKey, states, element] = line.split('\t');
    let node;
    if (role === 'text' && !states.includes('p')) {
      node = document.createElement('p');
      node.textContent = name;
    } else {
      node = document.createElement('button');
      node.type = 'button';
      node.tabIndex = -1;
      node.textContent = name;
      if (role === 'radio') {
        node.setAttribute('role', 'radio');
        node.setAttribute('aria-checked', states.includes('c') ? 'true' : 'false');
      }
      if (accessKey) node.setAttribute('aria-keyshortcuts', 'Alt+' + accessKey);
      const at = Number(element);
      node.addEventListener('click', () => press(at));
    }
    if (states.includes('f')) node.setAttribute('aria-current', 'true');
    nodes.push(node);
  }
  win.assistive.replaceChildren(...nodes);
}
