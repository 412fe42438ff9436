// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The least a page with WebAssembly does before it shows something: fetch
// and start a module, then show one label from it.
'use strict';
WebAssembly.instantiateStreaming(fetch('bare.wasm')).then(({ instance }) => {
  const label = document.createElement('div');
  label.textContent = String(instance.exports.label());
  document.getElementById('desktop').append(label);
  performance.mark('vesk-shown');
});
