// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The page's half of the web front-end, which opens vesk.js ahead of the
// compiled program's own loader. The program (form.cpp) describes each window
// and control from the windows' tables, through Emscripten's binding; this
// makes the elements, draws the scroll bar, keeps a window's Tab order round
// in an installed app's window, grows the windows with their text and to a
// phone's screen, says what the program announces, and hands the page's
// events back to the program's bound functions. What a
// control is, where it stands, its text, colours and access key, and what an
// event does, are the program's; what the page decides for itself is how a
// browser shows them: the elements and their CSS, the keys that step the
// scroll bar (as a browser's own scroll bars do), and the words it says when
// the program cannot start or has ended.

const VeskPage = (() => {
  'use strict';
  // A held arrow or trough steps again after this delay, then at this rate.
  const REPEAT_DELAY_MS = 350;
  const REPEAT_EVERY_MS = 50;
  // The language the page's own messages are in (PAGE_TEXTS, which the
  // build makes from po/, each language's texts where their English stands
  // in PAGE_ENGLISH): at first the best the user's languages find, as
  // the program chooses; once the program has started, the one it chose.
  let shown = (() => {
    for (const preference of navigator.languages || [navigator.language]) {
      const tag = String(preference).split(/[.@]/)[0].replace(/-/g, '_');
      const language = tag.split('_')[0].toLowerCase();
      if (language === 'en') return 'en';
      const exact = Object.keys(PAGE_TEXTS).find((k) => k.toLowerCase() === tag.toLowerCase());
      if (exact) return exact;
      if (language in PAGE_TEXTS) return language;
      const regional = Object.keys(PAGE_TEXTS).find((k) => k.startsWith(language + '_'));
      if (language === tag.toLowerCase() && regional) return regional;
    }
    return 'en';
  })();
  document.documentElement.lang = shown.replace('_', '-');
  // A message of the page's own, in the language shown; its placeholders
  // "%s" filled in, in order, with the values given.
  const tr = (context, english, ...values) =>
    ((PAGE_TEXTS[shown] || [])[PAGE_ENGLISH.indexOf(english)] || english).replace(/%s/g, () =>
      values.length ? values.shift() : '%s');

  // Each window by the handle the program gave it.
  const windows = new Map();
  const bars = [];
  const program = () => window.Module;
  // The name the program's binding gives a value of one of its enums.
  const named = (type, value) => Object.keys(program()[type]).find((k) => program()[type][k] === value);
  // A colour as the program gives it: CSS's own text, a system colour's role
  // (named as CSS names it), or none.
  const colour = (c) => (c === null ? 'transparent' : typeof c === 'string' ? c : named('SystemColour', c));
  let started = false;
  let waking = 0; // the program's timer (wakeAfter)
  // An element's id: its window's name and its own.
  const idOf = (w, name) => w.root.id + '-' + name;
  // In an installed app's window, Tab goes round the window as on the
  // desktop; in a browser's tab it leaves the page past the last control.
  const appWindow = () => !window.matchMedia('(display-mode: browser)').matches;

  function element(tag, className, text) {
    const e = document.createElement(tag);
    if (className) e.className = className;
    if (text) e.textContent = text;
    return e;
  }

  // A length of the design, in CSS pixels at the windows' scale (--s: 1 as
  // designed, more where the text has grown or a phone's screen is filled).
  const scaled = (pixels) => 'calc(' + pixels + 'px * var(--s))';

  function box(e, left, top, width, height) {
    e.style.left = scaled(left);
    e.style.top = scaled(top);
    e.style.width = scaled(width);
    e.style.height = scaled(height);
  }

  // A ground and a text colour as designed, and as drawn when the user asks
  // for more contrast (the style sheet chooses between them).
  function paint(e, ground, text, more) {
    if (ground !== undefined) e.style.setProperty('--ground', colour(ground));
    if (text !== undefined) e.style.setProperty('--text', colour(text));
    if (more && more.ground !== undefined) e.style.setProperty('--ground-more', colour(more.ground));
    if (more && more.text !== undefined) e.style.setProperty('--text-more', colour(more.text));
  }

  // While a modal window is shown only it takes input. Chromium still
  // delivers an access key to a button of the window beneath: it goes no
  // further than here.
  function blocked(handle) {
    const modal = document.querySelector('dialog:modal');
    return modal !== null && modal !== windows.get(handle).root;
  }

  function focusables(w) {
    return w.controls.filter((c) => c && c.focusable).map((c) => c.element);
  }

  // Tab and Shift+Tab go round the window's own controls, in an app window.
  // In a tab each control's tabindex gives the table's order, and the
  // browser moves on from the last one.
  function cycleTab(w, event) {
    if (event.key !== 'Tab' || event.altKey || event.ctrlKey || event.metaKey || !appWindow()) return;
    const order = focusables(w);
    if (order.length === 0) return;
    const at = order.indexOf(document.activeElement);
    const next = event.shiftKey ? (at <= 0 ? order.length - 1 : at - 1)
      : (at < 0 || at === order.length - 1 ? 0 : at + 1);
    order[next].focus();
    event.preventDefault();
  }

  // Where the program's announcements go: made empty with the main window,
  // as a screen reader only follows a region that was there before it spoke.
  function liveRegion() {
    let region = document.getElementById('announcements');
    if (!region) {
      region = element('div', 'announcements');
      region.id = 'announcements';
      region.setAttribute('aria-live', 'polite');
      region.setAttribute('aria-atomic', 'true');
      document.body.append(region);
    }
    return region;
  }

  // Every window has a close box, and no other: a page cannot be minimised.
  // The main window stands on the page; a dialog opens over it.
  function makeWindow(handle, d) {
    const root = element(d.dialog ? 'dialog' : 'section', 'window');
    root.id = d.name;
    root.hidden = !d.dialog;
    const bar = element('div', 'caption');
    const title = element('span', 'caption-text', d.caption);
    title.id = d.name + '-caption';
    bar.append(title);
    const close = element('button', 'close-box');
    close.type = 'button';
    close.tabIndex = -1;
    // TRANSLATORS: what a screen reader calls a window's close box.
    close.setAttribute('aria-label', tr('page', 'Close'));
    bar.append(close);
    root.setAttribute('aria-labelledby', title.id);
    const client = element('div', 'client');
    client.style.width = scaled(d.width);
    client.style.height = scaled(d.height);
    paint(client, d.background, undefined, { ground: d.backgroundMore });
    root.append(bar, client);
    const w = { root: root, client: client, dialog: d.dialog, controls: [], designWidth: d.width };
    windows.set(handle, w);
    root.addEventListener('keydown', (event) => cycleTab(w, event));
    close.addEventListener('click', () => program().closeBox(handle));
    if (d.dialog) {
      // Escape acts as the close box.
      root.addEventListener('cancel', (event) => {
        event.preventDefault();
        program().closeBox(handle);
      });
      document.body.append(root);
    } else {
      liveRegion();
      document.title = d.caption;
      document.getElementById('desktop').append(root);
    }
    fit();
  }

  function makeControl(handle, row, c) {
    const w = windows.get(handle);
    let e;
    switch (named('Kind', c.kind)) {
      case 'textBox':
        e = element('input', 'text-box');
        e.type = 'text';
        e.value = c.text;
        // A full keyboard: a factor may take a sign, a point and an exponent,
        // and a decimal keypad offers the locale's comma instead of the point.
        e.inputMode = 'text';
        e.enterKeyHint = 'enter';
        e.autocomplete = 'off';
        e.spellcheck = false;
        keyPresses(e, handle, row);
        break;
      case 'button':
        e = element('button', 'button');
        e.type = 'button';
        // The access key's character underlined, as the desktop draws it.
        if (c.accessKey) {
          e.append(c.before, element('u', '', c.accessKey), c.after);
          e.accessKey = c.accessKey.toLowerCase();
        } else {
          e.textContent = c.text;
        }
        e.addEventListener('click', () => {
          if (!blocked(handle)) program().click(handle, row);
        });
        break;
      case 'scrollBar':
        e = makeScrollBar(w, c, handle, row);
        break;
      case 'image':
        e = element('img', 'image');
        e.src = c.text;
        e.alt = '';
        e.draggable = false;
        break;
      default:
        e = element('div', 'label', c.text);
        if (c.result) {
          // A result: named by the caption beside it, or by what it means
          // where it has none. It is not read out as it changes: the
          // program announces the three together (announce below).
          e.setAttribute('role', 'status');
          e.setAttribute('aria-live', 'off');
          if (c.partner) {
            e.setAttribute('aria-labelledby', idOf(w, c.partner));
            if (c.accessibleDescription) e.setAttribute('aria-description', c.accessibleDescription);
          } else {
            e.setAttribute('aria-label', c.accessibleDescription);
          }
        }
    }
    e.id = idOf(w, c.name);
    e.dataset.control = c.name;
    if (c.tabIndex > 0) e.tabIndex = c.tabIndex;
    if (c.accessibleName) e.setAttribute('aria-label', c.accessibleName);
    box(e, c.left, c.top, c.width, c.height);
    paint(e, c.background, c.foreground, c.more);
    e.style.fontWeight = c.bold ? '700' : '400';
    e.style.textAlign = named('Align', c.align);
    w.client.append(e);
    w.controls[row] = { element: e, focusable: c.tabIndex > 0 };
  }

  // Every character typed into a text box, and Enter and Backspace, go to the
  // program before the box takes them, as on the desktop; the program may
  // withhold them.
  function keyPresses(e, handle, row) {
    const press = (text) => program().keyPress(handle, row, text.charCodeAt(0)) !== 0;
    e.addEventListener('keydown', (event) => {
      if (event.isComposing || (event.key !== 'Enter' && event.key !== 'Backspace')) return;
      if (!press(event.key === 'Enter' ? '\r' : '\b')) event.preventDefault();
    });
    e.addEventListener('beforeinput', (event) => {
      if (event.inputType !== 'insertText' || !event.data || event.isComposing) return;
      const typed = [...event.data];
      const kept = typed.filter(press).join('');
      if (kept === event.data) return;
      event.preventDefault();
      if (kept) e.setRangeText(kept, e.selectionStart, e.selectionEnd, 'end');
    });
  }

  // The scroll bar: two arrows and a trough with a square thumb, as the
  // desktop draws it. The program holds the position and the range; this
  // draws them.
  function makeScrollBar(w, c, handle, row) {
    const bar = element('div', 'scroll-bar');
    bar.setAttribute('role', 'scrollbar');
    bar.setAttribute('aria-orientation', 'horizontal');
    if (c.partner) bar.setAttribute('aria-controls', idOf(w, c.partner));
    const left = element('div', 'arrow arrow-left');
    const trough = element('div', 'trough');
    const thumb = element('div', 'thumb');
    const right = element('div', 'arrow arrow-right');
    trough.append(thumb);
    bar.append(left, trough, right);
    const side = c.height;
    const travel = c.width - 3 * side;
    const s = { bar: bar, thumb: thumb, lowest: 0, highest: 0, travel: travel, position: 0, timer: 0 };
    bar.veskScroll = s;
    bars.push(s);
    // The arrows and the thumb are square; the trough spans between the
    // arrows (the style sheet draws it so where the window reflows).
    bar.style.setProperty('--side', side + 'px');
    left.style.width = right.style.width = scaled(side);
    thumb.style.width = scaled(side);
    trough.style.left = scaled(side);
    trough.style.width = scaled(c.width - 2 * side);

    const stop = () => {
      clearTimeout(s.timer);
      s.timer = 0;
    };
    // Only the primary button (or a finger, or a pen's tip) steps or drags.
    const primary = (event) => event.button === 0;
    // Steps now and, while held, again and again.
    const hold = (event, action, more) => {
      if (!primary(event)) return;
      event.preventDefault();
      bar.focus();
      bar.setPointerCapture(event.pointerId);
      const step = () => {
        if (!more()) return stop();
        program().scrollStep(handle, row, action);
      };
      step();
      const again = () => {
        step();
        if (s.timer) s.timer = setTimeout(again, REPEAT_EVERY_MS);
      };
      s.timer = setTimeout(again, REPEAT_DELAY_MS);
    };
    const step = program().ScrollAction;
    left.addEventListener('pointerdown', (e) => hold(e, step.lineLeft, () => true));
    right.addEventListener('pointerdown', (e) => hold(e, step.lineRight, () => true));
    trough.addEventListener('pointerdown', (event) => {
      if (event.target === thumb || !primary(event)) return;
      const x = event.clientX;
      const toLeft = x < thumb.getBoundingClientRect().left;
      // Paging stops once the thumb has reached the pointer.
      hold(event, toLeft ? step.pageLeft : step.pageRight, () => {
        const r = thumb.getBoundingClientRect();
        return toLeft ? x < r.left : x >= r.right;
      });
    });
    // The thumb dragged: the text follows it, the results its release. The
    // program holds the position within the bar's range.
    let grab = null;
    const dragged = (event) => {
      // The thumb's travel as drawn, whatever the scale or the reflow.
      const shown = trough.getBoundingClientRect().width - thumb.getBoundingClientRect().width;
      const offset = event.clientX - grab.from;
      return grab.start + Math.round(offset * (s.highest - s.lowest) / (shown || s.travel));
    };
    thumb.addEventListener('pointerdown', (event) => {
      if (!primary(event)) return;
      event.preventDefault();
      bar.focus();
      thumb.setPointerCapture(event.pointerId);
      grab = { from: event.clientX, start: s.position };
    });
    thumb.addEventListener('pointermove', (event) => {
      if (grab) program().scrollTrack(handle, row, dragged(event));
    });
    const letGo = (event) => {
      if (!grab) return;
      const at = dragged(event);
      grab = null;
      program().scrollRelease(handle, row, at);
    };
    thumb.addEventListener('pointerup', letGo);
    thumb.addEventListener('pointercancel', letGo);
    for (const end of ['pointerup', 'pointercancel', 'lostpointercapture']) bar.addEventListener(end, stop);
    // A control, not the page's content: the browser's menu has nothing for it.
    bar.addEventListener('contextmenu', (event) => event.preventDefault());

    const keys = { ArrowLeft: step.lineLeft, ArrowUp: step.lineLeft, ArrowRight: step.lineRight,
      ArrowDown: step.lineRight, PageUp: step.pageLeft, PageDown: step.pageRight,
      Home: step.toLeft, End: step.toRight };
    bar.addEventListener('keydown', (event) => {
      if (!(event.key in keys) || event.altKey || event.ctrlKey || event.metaKey) return;
      event.preventDefault();
      program().scrollStep(handle, row, keys[event.key]);
    });
    return bar;
  }

  function drawScroll(s, position, shown) {
    s.position = position;
    s.bar.setAttribute('aria-valuenow', position);
    s.bar.setAttribute('aria-valuetext', shown);
    const fraction = (position - s.lowest) / (s.highest - s.lowest);
    // On whole pixels of the design; in a reflowed window, along the trough.
    s.thumb.style.setProperty('--at', Math.round(fraction * s.travel) + 'px');
    s.thumb.style.setProperty('--fraction', String(fraction));
  }

  // The windows' scale. The design letters in 11 px; where the browser
  // letters larger (a minimum font size, text-only zoom) every box grows
  // with the text, so that nothing is cut. On a phone's screen (narrower
  // than 600 px) the window fills 90% of the width. Where the window so
  // grown is wider than the page, it reflows: its controls in reading order,
  // as wide as the page. Page zoom needs none of this: the browser scales
  // everything alike.
  // (As the style sheet says it: the computed size is the browser's, grown.)
  const DESIGN_FONT = parseFloat(getComputedStyle(document.documentElement).getPropertyValue('--design-font')) || 11;
  const PHONE_WIDTH = 600;
  const PHONE_FILL = 0.9;
  // Two samples of the windows' text: one asked for at 1 px, which the
  // browser letters at its minimum size, and one at 64 px, above any
  // minimum, against which its width is measured. The computed size of the
  // larger one gives text-only zoom.
  const probe = (() => {
    const p = element('div', 'probe');
    p.setAttribute('aria-hidden', 'true');
    for (const size of ['1px', '64px']) {
      const sample = element('span', '', 'Multiple of c 0123456789');
      sample.style.fontSize = size;
      p.append(sample);
    }
    document.body.append(p);
    return p;
  })();
  let shape = { s: 1, font: 0, reflow: false };
  function fit() {
    const main = [...windows.values()].find((w) => !w.dialog);
    if (!main) return;
    const [tiny, large] = [...probe.children];
    const zoom = parseFloat(getComputedStyle(large).fontSize) / 64 || 1;
    const minimum = 64 * tiny.getBoundingClientRect().width / (large.getBoundingClientRect().width || 1);
    const lettered = Math.max(DESIGN_FONT * zoom, minimum);
    const desktop = getComputedStyle(document.getElementById('desktop'));
    const room = document.documentElement.clientWidth - parseFloat(desktop.paddingLeft) -
      parseFloat(desktop.paddingRight);
    const width = document.documentElement.clientWidth;
    // The window's outer width at a scale: its client area, grown, and its
    // frame, which is not.
    const frame = main.root.offsetWidth - main.client.offsetWidth;
    const outer = (scale) => main.designWidth * scale + frame;
    let s = lettered > DESIGN_FONT * 1.04 ? lettered / DESIGN_FONT : 1;
    if (width < PHONE_WIDTH) s = Math.max(s, (Math.min(Math.ceil(PHONE_FILL * width), room) - frame) / main.designWidth);
    const next = { s: s, font: s === 1 ? 0 : DESIGN_FONT * s / zoom, reflow: outer(s) > room + 0.5 };
    if (next.s === shape.s && next.font === shape.font && next.reflow === shape.reflow) return;
    shape = next;
    const root = document.documentElement;
    root.style.setProperty('--s', String(s));
    if (next.font) root.style.setProperty('--font', next.font + 'px');
    else root.style.removeProperty('--font');
    root.classList.toggle('scaled', s !== 1);
    root.classList.toggle('reflow', next.reflow);
  }
  // The windows may move whenever the page is laid out anew (the browser's
  // window changed size, a scroll bar came or went): the program is told.
  const resized = new ResizeObserver(() => {
    fit();
    if (windows.size > 0) program().laidOut();
  });
  resized.observe(document.documentElement);
  resized.observe(probe);

  // Why the program could not start (or go on), in plain words, from what
  // stopped it.
  function reasonFor(what) {
    const text = String(what && what.message || what);
    if (location.protocol === 'file:') {
      // TRANSLATORS: why the page could not start; follows "could not start: ".
      return tr('page', 'it must be served by a web server, not opened as a file. ' +
        'Serve its folder (scripts/web.sh does) and open its address.');
    }
    if (/no native wasm|WebAssembly is not defined|unsafe-eval|Refused to compile|blocked by CSP|not allowed/i.test(text)) {
      // TRANSLATORS: why the page could not start; follows "could not start: ".
      return tr('page', 'this browser does not allow WebAssembly here.');
    }
    if (/OOM|out of memory|could not allocate|Cannot enlarge memory|RangeError.*Memory/i.test(text)) {
      // TRANSLATORS: why the page could not start; follows "could not start: ".
      return tr('page', 'there is not enough memory.');
    }
    if (/LinkError|Import #|import/i.test(text)) {
      // TRANSLATORS: why the page could not start; follows "could not start: ".
      return tr('page', 'its files come from two different releases.');
    }
    if (/failed to load|both async and sync fetching|NetworkError|Failed to fetch|404/i.test(text)) {
      // TRANSLATORS: why the page could not start; follows "could not start: ".
      return tr('page', 'one of its files could not be loaded.');
    }
    if (/CompileError|validation|parse|magic|truncated|section|exceeds|expected/i.test(text)) {
      // TRANSLATORS: why the page could not start; follows "could not start: ".
      return tr('page', 'one of its files is damaged.');
    }
    // TRANSLATORS: why the page could not start, when nothing better is
    // known; %s is the browser's own message, in its words.
    return tr('page', 'something went wrong (%s).', text.slice(0, 200));
  }

  // The program arriving: after a second without the window, how much of it
  // has come, in the window's place, until the window or a failure takes it.
  const PROGRESS_AFTER_MS = 1000;
  let progress = null;
  let latest = [0, 0];
  let progressDue = false;
  const progressTimer = setTimeout(() => {
    progressDue = true;
    showProgress(...latest);
  }, Math.max(0, PROGRESS_AFTER_MS - performance.now()));
  function showProgress(got, total) {
    latest = [got, total];
    if (started || failed || !progressDue) return;
    if (!progress) {
      progress = element('div', 'progress');
      progress.id = 'progress';
      const line = element('p', '');
      line.id = 'progress-text';
      const bar = element('progress', '');
      bar.setAttribute('aria-labelledby', line.id);
      progress.append(line, bar);
      document.getElementById('desktop').append(progress);
      performance.mark('vesk-progress');
    }
    const [line, bar] = progress.children;
    const kb = (bytes) => String(Math.round(bytes / 1024));
    if (total > 0 && got <= total) {
      // TRANSLATORS: shown while the program arrives, after a second;
      // %s and %s: the kilobytes arrived so far and in all.
      line.textContent = tr('page', 'Loading Vesk Calculator: %s of %s KB', kb(got), kb(total));
      bar.max = total;
      bar.value = got;
    } else {
      // TRANSLATORS: shown while the program arrives, where its size is not
      // known; %s: the kilobytes arrived so far.
      line.textContent = tr('page', 'Loading Vesk Calculator: %s KB', kb(got));
      bar.removeAttribute('value');
    }
  }
  // The program has arrived, or will not: the lines waiting for it go.
  function arrived() {
    for (const id of ['failure', 'progress']) {
      const line = document.getElementById(id);
      if (line) line.remove();
    }
    progress = null;
    progressDue = false;
    clearTimeout(progressTimer);
  }
  // The page's own script has arrived and runs: the line its page holds for
  // a script that never did goes at once.
  arrivedScript();
  function arrivedScript() {
    const line = document.getElementById('failure');
    if (line) line.remove();
  }

  // The program itself, as it arrives: taken from the request the page's
  // first script made (or made here, where there was none), its bytes
  // counted for the progress. It has failed only when nothing more has come
  // for STALL_MS, or when what came is not whole; not while it is still
  // coming.
  const STALL_MS = 8000;
  async function fetchProgram(address) {
    const early = self.veskProgram;
    const stop = early ? early.stop : new AbortController();
    let timer = 0;
    const waiting = () => {
      clearTimeout(timer);
      timer = setTimeout(() => stop.abort(), STALL_MS);
    };
    waiting();
    try {
      const response = await (early ? early.response
        : fetch(address, { credentials: 'same-origin', signal: stop.signal }));
      if (!response.ok) throw new Error('failed to load ' + address + ': ' + response.status);
      // (A compressed answer counts its compressed bytes: the total is then unknown.)
      const encoded = response.headers.get('Content-Encoding');
      const total = encoded && encoded !== 'identity' ? 0 : Number(response.headers.get('Content-Length')) || 0;
      const parts = [];
      let got = 0;
      if (response.body && response.body.getReader) {
        const reader = response.body.getReader();
        for (;;) {
          waiting();
          const { done, value } = await reader.read();
          if (done) break;
          parts.push(value);
          got += value.length;
          showProgress(got, total);
        }
      } else {
        parts.push(new Uint8Array(await response.arrayBuffer()));
      }
      const bytes = new Uint8Array(parts.reduce((n, p) => n + p.length, 0));
      let at = 0;
      for (const p of parts) bytes.set(p, at), (at += p.length);
      return bytes;
    } catch (error) {
      throw stop.signal.aborted ? new Error('failed to load ' + address + ': nothing more came') : error;
    } finally {
      clearTimeout(timer);
    }
  }

  // Nothing of the program runs any more: no timer, no observer.
  function stopAll() {
    for (const s of bars) clearTimeout(s.timer), (s.timer = 0);
    resized.disconnect();
  }

  // A line below the windows, told to a screen reader when it comes.
  function notice(id, text) {
    const line = element('p', 'notice', text + ' ');
    line.id = id;
    line.setAttribute('role', 'status');
    document.getElementById('desktop').append(line);
    return line;
  }

  // In the windows' place, a line saying what happened and a way back.
  function say(text, link) {
    for (const handle of [...windows.keys()].reverse()) VeskPage.remove(handle);
    for (const old of document.querySelectorAll('.ended')) old.remove();
    const line = element('p', 'ended', text + ' ');
    line.id = 'ended';
    line.setAttribute('role', 'alert');
    const again = element('a', '', link);
    again.href = './';
    line.append(again);
    document.getElementById('desktop').append(line);
  }

  let failed = false;
  function fail(what) {
    if (failed) return; // the first cause is the one to tell
    failed = true;
    performance.mark('vesk-failed');
    stopAll();
    arrived();
    const reason = reasonFor(what);
    say(started
      // TRANSLATORS: the line in the window's place when the program had to
      // stop while it ran; %s is why.
      ? tr('page', 'Vesk Calculator had to stop: %s', reason)
      // TRANSLATORS: the line in the window's place when the program could
      // not start; %s is why.
      : tr('page', 'Vesk Calculator could not start: %s', reason),
    // TRANSLATORS: a link after those lines, which loads the page again.
    tr('page', 'Try again'));
  }

  return {
    window: makeWindow,
    control: makeControl,
    line(handle, l) {
      const e = element('div', 'line');
      box(e, l.left, l.top, l.width, l.height);
      e.style.backgroundColor = colour(l.colour);
      windows.get(handle).client.append(e);
    },
    setText(handle, row, text) {
      const e = windows.get(handle).controls[row].element;
      if (e instanceof HTMLInputElement) e.value = text;
      else e.textContent = text;
    },
    text(handle, row) {
      const e = windows.get(handle).controls[row].element;
      return e instanceof HTMLInputElement ? e.value : e.textContent;
    },
    setRange(handle, row, lowest, highest) {
      const s = windows.get(handle).controls[row].element.veskScroll;
      Object.assign(s, { lowest: lowest, highest: highest, position: lowest });
      s.bar.setAttribute('aria-valuemin', lowest);
      s.bar.setAttribute('aria-valuemax', highest);
      s.bar.setAttribute('aria-valuenow', lowest);
    },
    setValue(handle, row, position, shown) {
      drawScroll(windows.get(handle).controls[row].element.veskScroll, position, shown);
    },
    setColour(handle, row, text, more) {
      paint(windows.get(handle).controls[row].element, undefined, text, { text: more });
    },
    // Tells a screen reader, politely, after what it is saying: one region
    // for the page, outside the windows. A text the same as the last is
    // told again (a space more or less makes it new to the reader).
    announce(text) {
      const region = liveRegion();
      region.textContent = region.textContent === text ? text + '\u00a0' : text;
    },
    // The program's one timer: it is woken after `ms` (none when negative).
    wakeAfter(ms) {
      clearTimeout(waking);
      waking = ms < 0 ? 0 : setTimeout(() => program().woken(), ms);
    },
    show(handle) {
      const w = windows.get(handle);
      if (!w.dialog) {
        started = true;
        arrived();
      }
      w.root.hidden = false;
      fit();
      const first = focusables(w)[0];
      if (first) first.focus();
      performance.mark('vesk-shown');
    },
    showModal(handle) {
      const w = windows.get(handle);
      if (!w.root.open) w.root.showModal();
      const first = focusables(w)[0];
      if (first) first.focus();
    },
    hide(handle) {
      const w = windows.get(handle);
      if (w.root.open) w.root.close();
    },
    remove(handle) {
      const w = windows.get(handle);
      if (w.root.open) w.root.close();
      w.root.remove();
      windows.delete(handle);
    },
    // The outer top-left corner of a window, on the page.
    place(handle) {
      const r = windows.get(handle).root.getBoundingClientRect();
      return { left: Math.round(r.left + window.scrollX), top: Math.round(r.top + window.scrollY) };
    },
    move(handle, left, top) {
      const root = windows.get(handle).root;
      root.style.left = left + 'px';
      root.style.top = top + 'px';
    },
    // An installed app's window closes; a tab cannot be closed by its page,
    // so the window gives way to a line saying so.
    end() {
      stopAll();
      if (appWindow()) window.close();
      // TRANSLATORS: the line in the window's place once Exit has ended the
      // program in a browser's tab, which a page may not close; a link
      // follows.
      say(tr('page', 'Vesk Calculator has ended.'),
        // TRANSLATORS: the link after "has ended.", which starts it again.
        tr('page', 'Start it again'));
    },
    // The language the program chose, the page's own messages' too.
    language(tag) {
      shown = tag;
      document.documentElement.lang = tag.replace('_', '-');
    },
    fail: fail,
    failToStart(what) {
      if (!started) fail(what);
    },
    fetchProgram: fetchProgram,
    // A new release is ready: a line below the window offers it; `take`
    // switches to it.
    offer(take) {
      if (document.getElementById('update')) return;
      // TRANSLATORS: the line below the window when a new release of the
      // page has arrived while it is open.
      const line = notice('update', tr('page', 'A new version of Vesk Calculator is ready.'));
      // TRANSLATORS: the button after that line, which switches to the new
      // release (the page loads again).
      const button = element('button', '', tr('page', 'Use it now'));
      button.type = 'button';
      button.addEventListener('click', () => {
        button.disabled = true;
        take();
      });
      line.append(button);
    },
    // The browser will not store the site: it works while online only.
    cannotStore() {
      if (document.getElementById('not-stored')) return;
      // TRANSLATORS: the line below the window when the browser refuses to
      // store the page (its storage is full or not allowed).
      notice('not-stored', tr('page', 'Vesk Calculator cannot work offline here: this browser will not store it.'));
    }
  };
})();

Module['page'] = VeskPage;
// Whatever stops the program says so in the window's place: the compiled
// program's own abort, an error nothing caught on the way to the window (once
// it is shown, the browser's own reports, such as a resize observer's
// undelivered notifications, are not the program's), and a page opened as a
// file, whose loads fail without telling the page.
Module['onAbort'] = VeskPage.fail;
window.addEventListener('error', (event) => VeskPage.failToStart(event.error || event.message));
window.addEventListener('unhandledrejection', (event) => VeskPage.failToStart(event.reason));
if (location.protocol === 'file:') VeskPage.fail('file');

// The releases of the site, kept by its service worker (sw.js). A page opens
// on the release in use; if a newer one is waiting and no other page of the
// site is open, it takes that one first, before its program starts. A
// release that arrives while the page is open waits, offered in a line
// below the window, until the user chooses it. Where the browser will not
// store the site, the page works online and says so in a line.
const VeskReleases = (() => {
  'use strict';
  const worker = navigator.serviceWorker;
  if (!worker || location.protocol === 'file:') return { opening: Promise.resolve() };
  // A new release is looked for now and then, and when the page comes back
  // into view, as well as at every load.
  const LOOK_EVERY_MS = 30 * 60 * 1000;
  // How long an opening page waits for the worker's answer (it takes the
  // waiting release, or keeps the page's own) before it starts on its own
  // release anyway; and, once the worker takes the waiting release, for the
  // browser to switch to it. (Chromium was seen to hold the switch back for
  // minutes now and then; loading the page again let it go.)
  const ANSWER_WITHIN_MS = 10000;
  const SWITCH_WITHIN_MS = 2000;
  // The room a release needs in the browser's storage, with some to spare.
  const NEEDED_BYTES = 512 * 1024;
  // A refusal is remembered this long: a day later the page tries again.
  const REFUSED = 'vesk-not-stored';
  const RETRY_MS = 24 * 60 * 60 * 1000;
  const remember = () => {
    try {
      localStorage.setItem(REFUSED, String(Date.now()));
    } catch (error) {} // storage refused altogether: nothing to remember with
  };
  const refusedLately = () => {
    try {
      return Date.now() - Number(localStorage.getItem(REFUSED) || 0) < RETRY_MS;
    } catch (error) {
      return false;
    }
  };
  // Loads the page again, unless this very load is the page loaded again
  // from this release. The note that it did so is for the next load alone:
  // read and cleared as the page starts, so that a later load, which may
  // find the release overtaken anew, loads again too. (A note older than
  // any load takes is of a load again that never came.)
  const AGAIN_WITHIN_MS = 60000;
  const reloadedFrom = (() => {
    try {
      const [from, at] = JSON.parse(sessionStorage.getItem('vesk-again-from') || '[]');
      sessionStorage.removeItem('vesk-again-from');
      return Date.now() - at < AGAIN_WITHIN_MS ? from : null;
    } catch (error) {
      return null;
    }
  })();
  const againFrom = (release) => {
    if (release === reloadedFrom) return false;
    try {
      sessionStorage.setItem('vesk-again-from', JSON.stringify([release, Date.now()]));
    } catch (error) {
      return false; // nothing to remember it with: the page starts as it is
    }
    location.reload();
    return true;
  };
  // A page served by one release while another takes over before the
  // window shows (the browser activates a waiting release once no page uses
  // the old one) loads again on the new one; afterwards only when the user
  // chose it. (A first visit's worker taking the page is no change of
  // release.)
  const served = !!worker.controller;
  let choosing = false;
  worker.addEventListener('controllerchange', () => {
    if (choosing || (served && performance.getEntriesByName('vesk-shown').length === 0)) location.reload();
  });
  worker.addEventListener('message', (event) => {
    if (event.data && event.data.type === 'vesk-cannot-store') {
      remember();
      VeskPage.cannotStore();
    }
  });

  // The release of the worker serving this page, as it says; null if it
  // does not say in time.
  const servingRelease = () => new Promise((resolve) => {
    const channel = new MessageChannel();
    channel.port1.onmessage = (event) => resolve(event.data && event.data.release);
    setTimeout(() => resolve(null), ANSWER_WITHIN_MS);
    if (worker.controller) worker.controller.postMessage({ type: 'vesk-which' }, [channel.port2]);
    else resolve(null);
  });

  // Before the program starts: a waiting release is taken if this page is
  // the only one open (the worker decides), and the page loads again on it.
  // Where the browser has not switched in time, the page loads again once;
  // if it still holds back, the page starts on its own release, and offers
  // the new one.
  const opening = (async () => {
    if (!served) return;
    // A newer release took over while this page was on its way (the page's
    // own release is no longer kept, its worker is no longer the one in
    // use, or the worker serving it is of another release, which took the
    // page over as it loaded and served it its own files beside the page):
    // the page loads again, on it. Once only: a page that finds the same
    // again starts as it is.
    const mine = 'vesk-' + document.querySelector('meta[name=vesk-release]').content;
    const stored = await caches.keys().catch(() => [mine]);
    const registration = await worker.getRegistration().catch(() => null);
    const serving = await servingRelease();
    const overtaken = (!stored.includes(mine) && stored.some((name) => name.startsWith('vesk-'))) ||
      (registration && registration.active && registration.active !== worker.controller) ||
      (typeof serving === 'string' && serving !== mine);
    if (overtaken && againFrom(mine)) return new Promise(() => {}); // loading again
    if (!registration || !registration.waiting) return;
    choosing = true;
    const after = (ms, what) => new Promise((resolve) => setTimeout(() => resolve(what), ms));
    const taken = new Promise((resolve) =>
      worker.addEventListener('controllerchange', () => resolve('taken'), { once: true }));
    const answer = () => new Promise((resolve) => {
      const told = (event) => {
        const kind = event.data && event.data.type;
        if (kind !== 'vesk-kept' && kind !== 'vesk-taking') return;
        worker.removeEventListener('message', told);
        resolve(kind);
      };
      worker.addEventListener('message', told);
      after(ANSWER_WITHIN_MS, 'vesk-kept').then(resolve);
      registration.waiting.postMessage({ type: 'vesk-opening' });
    });
    // Asked twice: the page this one replaces may still count as open for a
    // moment as it unloads.
    for (let asked = 0; asked < 2 && registration.waiting; asked++) {
      if (asked > 0) await after(500);
      let said = await Promise.race([taken, answer()]);
      if (said === 'vesk-taking') said = await Promise.race([taken, after(SWITCH_WITHIN_MS, 'held')]);
      if (said === 'taken') return new Promise(() => {}); // loading again
      if (said === 'held') {
        performance.mark('vesk-switch-held');
        if (againFrom(mine)) return new Promise(() => {}); // loading again
        break;
      }
    }
    choosing = false;
  })();

  const storable = async () => {
    if (refusedLately()) return false;
    try {
      const { quota, usage } = await navigator.storage.estimate();
      return quota === undefined || quota - (usage || 0) >= NEEDED_BYTES;
    } catch (error) {
      return true; // not told: the worker finds out
    }
  };
  (async () => {
    // Once the page has loaded: on a slow link the worker's copy of the
    // files then does not compete with the page's own.
    if (document.readyState !== 'complete') await new Promise((loaded) => addEventListener('load', loaded));
    let registration;
    if (await storable()) {
      // Its script is always asked of the server, never of the browser's
      // cache, so that a new release is found.
      registration = await worker.register('sw.js', { updateViaCache: 'none' }).catch(() => null);
    } else {
      registration = await worker.getRegistration().catch(() => null);
      if (!registration || !registration.active) VeskPage.cannotStore();
    }
    if (!registration) return;
    const look = () => registration.update().catch(() => {});
    const offer = () => {
      if (!registration.waiting || !worker.controller || choosing) return;
      VeskPage.offer(() => {
        choosing = true;
        // (Where the browser has switched meanwhile, of its own accord, the
        // page loads again on the new release.)
        if (registration.waiting) registration.waiting.postMessage({ type: 'vesk-take' });
        else location.reload();
      });
    };
    registration.addEventListener('updatefound', () => {
      const coming = registration.installing;
      if (coming) coming.addEventListener('statechange', () => coming.state === 'installed' && offer());
    });
    await opening;
    // A page served by a release looks for a newer one as it loads, as the
    // browser may or may not (a first visit has just installed its own).
    if (served) look();
    offer();
    setInterval(look, LOOK_EVERY_MS);
    document.addEventListener('visibilitychange', () => document.visibilityState === 'visible' && look());
  })();
  return { opening: opening };
})();

// The program's WebAssembly, the page's own release's (the address the page
// names), its progress shown, instantiated once the page knows it stays on
// this release.
Module['instantiateWasm'] = (imports, receive) => {
  const named = document.querySelector('meta[name=vesk-program]');
  Promise.all([VeskPage.fetchProgram(named ? named.content : 'vesk.wasm'), VeskReleases.opening])
    .then(([bytes]) => WebAssembly.instantiate(bytes, imports))
    .then((made) => receive(made.instance, made.module))
    .catch(VeskPage.fail);
  return {};
};
