// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures and fonts the windows draw with, fetched when a window first
// needs them: the program's own list (arcadeon_files) names, for each
// window, the pictures its layout shows and the faces its texts are drawn
// in. A window waits for its own files only; each file is fetched once,
// whichever windows share it.
import { withBytes, withText } from './calls.js';

// A picture fetched and made ready to hand over: BMP files as they are (the
// program decodes them: the frog's and the trophy's partly transparent
// edges, which a canvas would not give back byte for byte), as { bytes };
// PNG, WebP and JPEG files decoded by the browser to RGBA without any
// colour management, as { width, height, rgba }; null when it cannot be had.
async function decode(url) {
  const response = await fetch(url);
  if (!response.ok) return null;
  const blob = await response.blob();
  if (/\.bmp$/i.test(url)) return { bytes: new Uint8Array(await blob.arrayBuffer()) };
  const bitmap = await createImageBitmap(blob, { colorSpaceConversion: 'none' });
  const canvas = document.createElement('canvas');
  canvas.width = bitmap.width;
  canvas.height = bitmap.height;
  const ctx = canvas.getContext('2d');
  ctx.drawImage(bitmap, 0, 0);
  return { width: bitmap.width, height: bitmap.height, rgba: ctx.getImageData(0, 0, bitmap.width, bitmap.height).data };
}

// The pictures the page's head asks for at once (the menu's), decoded while
// the program itself is still on its way.
const early = new Map([...document.querySelectorAll('link[rel=preload][href^="assets/"]')]
  .map((link) => [link.getAttribute('href'), decode(link.getAttribute('href')).catch(() => null)]));

// `M` the program, `faces` the lines of arcadeon_faces ({ family, file, weight }).
export function makeFiles(M, faces) {
  const list = JSON.parse(M.UTF8ToString(M._arcadeon_files()));
  const pictures = new Map();  // picture name -> its fetch
  const fonts = new Map();     // face index -> its load
  const windows = new Map();   // window name -> all its files in
  const ready = new Set();     // windows whose files are all in
  let arriving = Object.keys(list.pictures).length;

  // Where the page takes a picture (by its name in the layouts) and a face from.
  const pictureUrl = (name) => 'assets/' + (list.pictures[name] ?? name).split('/').map(encodeURIComponent).join('/');
  const fontUrl = (index) => `fonts/${faces[index].file}`;

  // A picture handed to the program; one that cannot be read draws nothing.
  async function fetchPicture(name) {
    const url = pictureUrl(name);
    try {
      const decoded = early.get(url) ?? decode(url);
      early.delete(url);
      const picture = await decoded;
      if (!picture) return;
      if (picture.bytes) {
        withText(name, (n) => withBytes(picture.bytes, (p) => M._arcadeon_add_picture_file(n, p, picture.bytes.length)));
      } else {
        withText(name, (n) => withBytes(picture.rgba, (p) => M._arcadeon_add_picture_rgba(n, picture.width, picture.height, p)));
      }
    } catch {
      // drawn as nothing
    } finally {
      arriving--;
    }
  }

  const picture = (name) => {
    if (!pictures.has(name)) pictures.set(name, fetchPicture(name));
    return pictures.get(name);
  };

  // The page declares the program's own faces, nothing of its own, so the
  // two cannot drift apart. A face that cannot be loaded is drawn in the
  // browser's fallback.
  const font = (index) => {
    if (!fonts.has(index)) {
      const face = faces[index];
      const fontFace = new FontFace(face.family, `url("${fontUrl(index)}")`, face.weight ? { weight: String(face.weight) } : {});
      document.fonts.add(fontFace);
      fonts.set(index, fontFace.load().catch(() => {}));
    }
    return fonts.get(index);
  };

  // Resolves once every file of window `name` is in (at once for a window
  // that needs none, or one the list does not know).
  const need = (name) => {
    if (!windows.has(name)) {
      const wanted = list.windows[name] ?? { pictures: [], faces: [] };
      windows.set(name, Promise.all([...wanted.pictures.map(picture), ...wanted.faces.map(font)])
        .then(() => { ready.add(name); }));
    }
    return windows.get(name);
  };

  return {
    need,
    ready: (name) => ready.has(name),
    // Every window's files, fetched from now on.
    all: () => Promise.all(Object.keys(list.windows).map(need)),
    // The addresses of window `name`'s files, relative to the page.
    urls: (name) => {
      const wanted = list.windows[name] ?? { pictures: [], faces: [] };
      return [...wanted.pictures.map(pictureUrl), ...wanted.faces.map(fontUrl)];
    },
    // Pictures not in yet, fetched or not.
    arriving: () => arriving,
  };
}
