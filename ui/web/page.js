// SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
// SPDX-License-Identifier: MIT
// The page's half of the web front-end: it makes the elements the program
// asks for (from the windows' tables, through page_library.js), draws the
// scroll bar, and routes the page's events to the program's exported
// handlers. It decides nothing about factors, texts or colours itself. It
// opens vesk.js, ahead of the compiled program's own loader.

const VeskPage = (() => {
  'use strict';
  const KIND = { Label: 0, TextBox: 1, ScrollBar: 2, Button: 3, Image: 4 };
  const ALIGN = ['left', 'right', 'center'];
  // The scroll bar's steps, in the order of ScrollAction.
  const STEP = { LineLeft: 0, LineRight: 1, PageLeft: 2, PageRight: 3, ToLeft: 4, ToRight: 5 };
  // A held arrow or trough steps again after this delay, then at this rate.
  const REPEAT_DELAY_MS = 350;
  const REPEAT_EVERY_MS = 50;
  const MAIN = 0;
  const ABOUT = 1;

  const windows = [];
  const program = () => window.Module;

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

  // A caption with "&" before its access key: the text, the key underlined.
  function withAccessKey(e, caption) {
    const at = caption.indexOf('&');
    if (at < 0 || at + 1 >= caption.length) {
      e.textContent = caption;
      return '';
    }
    e.append(caption.slice(0, at), element('u', '', caption[at + 1]), caption.slice(at + 2));
    return caption[at + 1].toLowerCase();
  }

  // While a modal window is shown only it takes input. Chromium still
  // delivers an access key to a button of the window beneath: it goes no
  // further than here.
  function blocked(index) {
    const modal = document.querySelector('dialog:modal');
    return modal !== null && modal !== windows[index].root;
  }

  function focusables(w) {
    return w.controls.filter((c) => c && c.focusable).map((c) => c.element);
  }

  // Tab and Shift+Tab go round the window's own controls, as on the desktop.
  function cycleTab(w, event) {
    if (event.key !== 'Tab' || event.altKey || event.ctrlKey || event.metaKey) return;
    const order = focusables(w);
    if (order.length === 0) return;
    const at = order.indexOf(document.activeElement);
    const next = event.shiftKey ? (at <= 0 ? order.length - 1 : at - 1)
      : (at < 0 || at === order.length - 1 ? 0 : at + 1);
    order[next].focus();
    event.preventDefault();
  }

  // Every window has a close box, and no other: a page cannot be minimised.
  function makeWindow(index, name, caption, width, height, background, dialog) {
    const root = element(dialog ? 'dialog' : 'section', 'window');
    root.id = name;
    root.hidden = !dialog;
    const bar = element('div', 'caption');
    const title = element('span', 'caption-text', caption);
    title.id = name + '-caption';
    bar.append(title);
    const close = element('button', 'close-box');
    close.type = 'button';
    close.tabIndex = -1;
    close.setAttribute('aria-label', 'Close');
    bar.append(close);
    root.setAttribute('aria-labelledby', title.id);
    const client = element('div', 'client');
    client.style.width = width + 'px';
    client.style.height = height + 'px';
    client.style.backgroundColor = background;
    root.append(bar, client);
    const w = { index: index, root: root, client: client, controls: [] };
    windows[index] = w;
    root.addEventListener('keydown', (event) => cycleTab(w, event));
    if (index === MAIN) {
      close.addEventListener('click', () => program()._vesk_close_main());
      document.title = caption;
      document.getElementById('desktop').append(root);
    } else {
      close.addEventListener('click', () => program()._vesk_about_close());
      // Escape acts as the close box.
      root.addEventListener('cancel', (event) => {
        event.preventDefault();
        program()._vesk_about_close();
      });
      document.body.append(root);
    }
    fit();
  }

  function makeControl(index, row, c) {
    const w = windows[index];
    let e;
    let focusable = false;
    switch (c.kind) {
      case KIND.TextBox:
        e = element('input', 'text-box');
        e.type = 'text';
        e.value = c.text;
        e.inputMode = 'decimal';
        e.autocomplete = 'off';
        e.spellcheck = false;
        e.addEventListener('keydown', (event) => {
          if (event.key !== 'Enter' || event.isComposing) return;
          if (program()._vesk_key_press(13) === 0) event.preventDefault();
        });
        focusable = true;
        break;
      case KIND.Button: {
        e = element('button', 'button');
        e.type = 'button';
        const key = withAccessKey(e, c.text);
        if (key) e.accessKey = key;
        e.addEventListener('click', () => {
          if (!blocked(index)) program()._vesk_click(index, row);
        });
        focusable = true;
        break;
      }
      case KIND.ScrollBar:
        e = makeScrollBar(c);
        focusable = true;
        break;
      case KIND.Image:
        e = element('img', 'image');
        e.src = 'logo.bmp';
        e.alt = '';
        e.draggable = false;
        break;
      default:
        e = element('div', 'label', c.text);
        if (c.accessibleDescription) {
          // A result: read out when it changes.
          e.setAttribute('role', 'status');
          e.setAttribute('aria-description', c.accessibleDescription);
        }
    }
    e.dataset.control = c.name;
    if (c.accessibleName) e.setAttribute('aria-label', c.accessibleName);
    box(e, c.left, c.top, c.width, c.height);
    e.style.backgroundColor = c.background;
    e.style.color = c.foreground;
    e.style.fontWeight = c.bold ? '700' : '400';
    e.style.textAlign = ALIGN[c.align] || 'left';
    w.client.append(e);
    w.controls[row] = { element: e, focusable: focusable, kind: c.kind };
  }

  // The scroll bar: two arrows and a trough with a square thumb, as the
  // desktop draws it. The program holds the position; this draws it.
  function makeScrollBar(c) {
    const bar = element('div', 'scroll-bar');
    bar.tabIndex = 0;
    bar.setAttribute('role', 'scrollbar');
    bar.setAttribute('aria-orientation', 'horizontal');
    bar.setAttribute('aria-valuemin', c.lowest);
    bar.setAttribute('aria-valuemax', c.highest);
    bar.setAttribute('aria-valuenow', c.lowest);
    const left = element('div', 'arrow arrow-left');
    const trough = element('div', 'trough');
    const thumb = element('div', 'thumb');
    const right = element('div', 'arrow arrow-right');
    trough.append(thumb);
    bar.append(left, trough, right);
    const side = c.height;
    const travel = c.width - 3 * side;
    const s = { bar: bar, thumb: thumb, lowest: c.lowest, highest: c.highest, travel: travel,
      position: c.lowest, timer: 0 };
    bar.veskScroll = s;
    left.style.width = right.style.width = side + 'px';
    thumb.style.width = side + 'px';
    trough.style.left = side + 'px';
    trough.style.width = (c.width - 2 * side) + 'px';

    const stop = () => {
      clearTimeout(s.timer);
      s.timer = 0;
    };
    // Steps now and, while held, again and again.
    const hold = (event, action, more) => {
      event.preventDefault();
      bar.focus();
      bar.setPointerCapture(event.pointerId);
      const step = () => {
        if (!more()) return stop();
        program()._vesk_scroll_step(action);
      };
      step();
      const again = () => {
        step();
        if (s.timer) s.timer = setTimeout(again, REPEAT_EVERY_MS);
      };
      s.timer = setTimeout(again, REPEAT_DELAY_MS);
    };
    left.addEventListener('pointerdown', (e) => hold(e, STEP.LineLeft, () => true));
    right.addEventListener('pointerdown', (e) => hold(e, STEP.LineRight, () => true));
    trough.addEventListener('pointerdown', (event) => {
      if (event.target === thumb) return;
      const x = event.clientX;
      const toLeft = x < thumb.getBoundingClientRect().left;
      // Paging stops once the thumb has reached the pointer.
      hold(event, toLeft ? STEP.PageLeft : STEP.PageRight, () => {
        const r = thumb.getBoundingClientRect();
        return toLeft ? x < r.left : x >= r.right;
      });
    });
    // The thumb dragged: the text follows it, the results its release.
    let grab = null;
    const dragged = (event) => {
      const scale = trough.getBoundingClientRect().width / trough.offsetWidth || 1;
      const offset = (event.clientX - grab.from) / scale;
      const at = grab.start + Math.round(offset * (s.highest - s.lowest) / s.travel);
      return Math.min(s.highest, Math.max(s.lowest, at));
    };
    thumb.addEventListener('pointerdown', (event) => {
      event.preventDefault();
      bar.focus();
      thumb.setPointerCapture(event.pointerId);
      grab = { from: event.clientX, start: s.position };
    });
    thumb.addEventListener('pointermove', (event) => {
      if (grab) program()._vesk_scroll_track(dragged(event));
    });
    const let_go = (event) => {
      if (!grab) return;
      const at = dragged(event);
      grab = null;
      program()._vesk_scroll_release(at);
    };
    thumb.addEventListener('pointerup', let_go);
    thumb.addEventListener('pointercancel', let_go);
    for (const end of ['pointerup', 'pointercancel', 'lostpointercapture']) bar.addEventListener(end, stop);

    const keys = { ArrowLeft: STEP.LineLeft, ArrowUp: STEP.LineLeft, ArrowRight: STEP.LineRight,
      ArrowDown: STEP.LineRight, PageUp: STEP.PageLeft, PageDown: STEP.PageRight,
      Home: STEP.ToLeft, End: STEP.ToRight };
    bar.addEventListener('keydown', (event) => {
      if (!(event.key in keys) || event.altKey || event.ctrlKey || event.metaKey) return;
      event.preventDefault();
      program()._vesk_scroll_step(keys[event.key]);
    });
    return bar;
  }

  function drawScroll(s, position) {
    s.position = position;
    s.bar.setAttribute('aria-valuenow', position);
    const at = Math.round((position - s.lowest) * s.travel / (s.highest - s.lowest));
    s.thumb.style.left = at + 'px';
  }

  // Narrower than the window, the page shows it smaller, so that nothing
  // overflows; the About window goes with it.
  function fit() {
    const main = windows[MAIN];
    if (!main) return;
    const room = document.documentElement.clientWidth - 16;
    const natural = main.root.getBoundingClientRect().width / (Number(main.root.style.zoom) || 1);
    const zoom = Math.min(1, room / natural);
    for (const w of windows) if (w) w.root.style.zoom = zoom < 1 ? String(zoom) : '';
  }
  // The main window moves whenever the page is laid out anew (the browser's
  // window changed size, a scroll bar came or went): an open About window
  // goes with it.
  new ResizeObserver(() => {
    fit();
    if (windows[ABOUT]) program()._vesk_main_moved();
  }).observe(document.documentElement);

  return {
    window: makeWindow,
    control: makeControl,
    line(index, left, top, width, height, colour) {
      const e = element('div', 'line');
      box(e, left, top, width, height);
      e.style.backgroundColor = colour;
      windows[index].client.append(e);
    },
    setText(index, row, text) {
      const c = windows[index].controls[row];
      if (c.kind === KIND.TextBox) c.element.value = text;
      else c.element.textContent = text;
    },
    text(index, row) {
      const c = windows[index].controls[row];
      return c.kind === KIND.TextBox ? c.element.value : c.element.textContent;
    },
    setValue(index, row, position) {
      drawScroll(windows[index].controls[row].element.veskScroll, position);
    },
    setColour(index, row, colour) {
      windows[index].controls[row].element.style.color = colour;
    },
    show(index) {
      const w = windows[index];
      w.root.hidden = false;
      fit();
      const first = focusables(w)[0];
      if (first) first.focus();
      performance.mark('vesk-shown');
    },
    showModal(index) {
      const w = windows[index];
      if (!w.root.open) w.root.showModal();
      const first = focusables(w)[0];
      if (first) first.focus();
    },
    hide(index) {
      const w = windows[index];
      if (w.root.open) w.root.close();
    },
    remove(index) {
      const w = windows[index];
      if (w.root.open) w.root.close();
      w.root.remove();
      windows[index] = undefined;
    },
    // The outer top-left corner of a window, on the page.
    place(index) {
      const r = windows[index].root.getBoundingClientRect();
      return { left: Math.round(r.left + window.scrollX), top: Math.round(r.top + window.scrollY) };
    },
    move(index, left, top) {
      const root = windows[index].root;
      const zoom = Number(root.style.zoom) || 1;
      root.style.left = left / zoom + 'px';
      root.style.top = top / zoom + 'px';
    },
    // An installed app's window closes; a tab cannot be closed by its page,
    // so the window gives way to a line saying so.
    end() {
      for (let i = windows.length - 1; i >= 0; --i) if (windows[i]) VeskPage.remove(i);
      if (window.matchMedia('(display-mode: standalone)').matches) window.close();
      const line = element('p', 'ended', 'Vesk Calculator has ended. ');
      line.id = 'ended';
      const again = element('a', '', 'Start it again');
      again.href = './';
      line.append(again);
      document.getElementById('desktop').append(line);
    }
  };
})();

if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('sw.js').catch(() => {});
}
