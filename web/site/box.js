// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A message box: modal over every window, with its title, prompt and OK.
// It resolves once the person has closed it (OK, Enter, Space, Escape or its
// close button).
export function showBox(title, prompt) {
  const modal = document.createElement('div');
  modal.className = 'modal';
  modal.innerHTML = '<div class="box" role="alertdialog" aria-modal="true" aria-labelledby="box-title" aria-describedby="box-prompt">' +
    '<div class="titlebar"><span class="caption" id="box-title"></span><button type="button" class="close" title="Close">×</button></div>' +
    '<p class="prompt" id="box-prompt"></p><div class="buttons"><button type="button" class="ok">OK</button></div></div>';
  modal.querySelector('.caption').textContent = title;
  modal.querySelector('.prompt').textContent = prompt;
  const ok = modal.querySelector('.ok');
  document.body.append(modal);
  ok.focus();
  return new Promise((resolve) => {
    const close = () => {
      document.removeEventListener('keydown', keys, true);
      modal.remove();
      resolve();
    };
    const keys = (e) => {
      e.preventDefault();
      e.stopPropagation();
      if (e.repeat) return;
      if (e.key === 'Enter' || e.key === ' ' || e.key === 'Escape') close();
    };
    document.addEventListener('keydown', keys, true);
    ok.addEventListener('click', close);
    modal.querySelector('.close').addEventListener('click', close);
  });
}
