// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// Written into the page, ahead of its program's script. It asks for the
// program's WebAssembly at once, alongside the script, for the script to take
// when it runs (one download in every engine, which a preload is not). And
// until that script runs and takes the line away, a script that fails to arrive, or a page
// loaded whole with the line still there (its script arrived and did not
// run), brings up the line saying so at once. A script still arriving does
// not: the style sheet only shows the line by itself when nothing at all
// has happened for a long time.
(() => {
  'use strict';
  const failed = () => {
    const line = document.getElementById('failure');
    if (line) {
      line.classList.add('shown');
      performance.mark('vesk-failed');
    }
  };
  addEventListener('error', (event) => {
    if (event.target instanceof HTMLScriptElement) failed();
  }, true);
  addEventListener('load', failed);
  const program = document.querySelector('meta[name=vesk-program]');
  if (program && location.protocol !== 'file:') {
    const stop = new AbortController();
    const response = fetch(program.content, { credentials: 'same-origin', signal: stop.signal });
    response.catch(() => {}); // the script tells of a failure, when it takes it
    self.veskProgram = { address: program.content, response: response, stop: stop };
  }
})();
