// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program (arcadeon.wasm) as the page's modules call it: texts and bytes
// copied into its memory for the length of a call.

// The program's module, once it has loaded.
export const program = { M: null };

// Copies `text` into the program's memory as UTF-8 for the length of `use`.
export function withText(text, use) {
  const length = program.M.lengthBytesUTF8(text) + 1;
  const pointer = program.M._malloc(length);
  try {
    program.M.stringToUTF8(text, pointer, length);
    return use(pointer);
  } finally {
    program.M._free(pointer);
  }
}

// Copies `bytes` into the program's memory for the length of `use`.
export function withBytes(bytes, use) {
  const pointer = program.M._malloc(Math.max(1, bytes.length));
  try {
    program.M.HEAPU8.set(bytes, pointer);
    return use(pointer);
  } finally {
    program.M._free(pointer);
  }
}
