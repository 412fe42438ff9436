// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The page's half of the web front-end, which opens vesk.js ahead of the
// compiled program's own loader. The program (form.cpp) describes each window
// and control from the windows' tables, through Emscripten's binding; this
// makes the elements, draws the scroll bar, keeps a window's Tab order round
// in an installed app's window, shrinks the windows to a narrow screen, and
// hands the page's events back to the program's bound functions. What a
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
  // build makes from po/): at first the best the user's languages find, as
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
  // A message of the page's own, in the language shown; a placeholder "%s"
  // filled in with the value given.
  const tr = (context, english, value) =>
    ((PAGE_TEXTS[shown] || {})[english] || english).replace('%s', value === undefined ? '%s' : value);

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

  function box(e, left, top, width, height) {
    e.style.left = left + 'px';
    e.style.top = top + 'px';
    e.style.width = width + 'px';
    e.style.height = height + 'px';
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
    client.style.width = d.width + 'px';
    client.style.height = d.height + 'px';
    client.style.backgroundColor = colour(d.background);
    root.append(bar, client);
    const w = { root: root, client: client, dialog: d.dialog, controls: [] };
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
          // A result, read out when it changes: named by the caption beside
          // it, or by what it means where it has none.
          e.setAttribute('role', 'status');
          if (c.partner) {
            e.setAttribute('aria-labelledby', idOf(w, c.partner));
            e.setAttribute('aria-description', c.accessibleDescription);
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
    e.style.backgroundColor = colour(c.background);
    e.style.color = colour(c.foreground);
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
    left.style.width = right.style.width = side + 'px';
    thumb.style.width = side + 'px';
    trough.style.left = side + 'px';
    trough.style.width = (c.width - 2 * side) + 'px';

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
      const scale = trough.getBoundingClientRect().width / trough.offsetWidth || 1;
      const offset = (event.clientX - grab.from) / scale;
      return grab.start + Math.round(offset * (s.highest - s.lowest) / s.travel);
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
    const at = Math.round((position - s.lowest) * s.travel / (s.highest - s.lowest));
    s.thumb.style.left = at + 'px';
  }

  // Narrower than the window, the page shows it smaller, so that nothing
  // overflows; the About window goes with it.
  function fit() {
    const main = [...windows.values()].find((w) => !w.dialog);
    if (!main) return;
    const desktop = getComputedStyle(document.getElementById('desktop'));
    const room = document.documentElement.clientWidth - parseFloat(desktop.paddingLeft) -
      parseFloat(desktop.paddingRight);
    const natural = main.root.getBoundingClientRect().width / (Number(main.root.style.zoom) || 1);
    const zoom = Math.min(1, room / natural);
    for (const w of windows.values()) w.root.style.zoom = zoom < 1 ? String(zoom) : '';
  }
  // The windows may move whenever the page is laid out anew (the browser's
  // window changed size, a scroll bar came or went): the program is told.
  const resized = new ResizeObserver(() => {
    fit();
    if (windows.size > 0) program().laidOut();
  });
  resized.observe(document.documentElement);

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

  // Nothing of the program runs any more: no timer, no observer.
  function stopAll() {
    for (const s of bars) clearTimeout(s.timer), (s.timer = 0);
    resized.disconnect();
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
    stopAll();
    const pending = document.getElementById('failure');
    if (pending) pending.remove();
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
    setColour(handle, row, colour) {
      windows.get(handle).controls[row].element.style.color = colour;
    },
    show(handle) {
      const w = windows.get(handle);
      if (!w.dialog) {
        started = true;
        const pending = document.getElementById('failure');
        if (pending) pending.remove();
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
      const zoom = Number(root.style.zoom) || 1;
      root.style.left = left / zoom + 'px';
      root.style.top = top / zoom + 'px';
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
// The WebAssembly of the page's own release: the address the page preloads.
Module['locateFile'] = (path, prefix) => {
  const preload = document.querySelector('link[rel=preload][as=fetch]');
  return path.endsWith('.wasm') && preload ? preload.href : prefix + path;
};
window.addEventListener('error', (event) => VeskPage.failToStart(event.error || event.message));
window.addEventListener('unhandledrejection', (event) => VeskPage.failToStart(event.reason));
if (location.protocol === 'file:') VeskPage.fail('file');

// The service worker's own script is always asked of the server, never of
// the browser's cache, so that a new release is found on the next load.
if ('serviceWorker' in navigator && location.protocol !== 'file:') {
  navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).catch(() => {});
}
