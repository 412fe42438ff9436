#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
"""The web page in one browser engine (chromium, firefox or webkit), served
from 127.0.0.1, driven with real key presses and pointer moves. One test per
behaviour, each starting from a freshly loaded page, its rows the same in
every engine. What the shared tables prove of the handlers is not proven
again here, only what the page can get wrong: its wiring, which differs by
engine. What only Chromium's own protocol can check (its accessibility tree,
its emulated colours and sizes, its installability), and the sweep of every
figure through the page, which one engine suffices for, run in Chromium.

Usage: page_test.py ENGINE SITE_DIR FIGURES_TSV ENTER_ROWS_TSV [SCREENSHOT_DIR]
"""
import atexit
import json
import os
import re
import sys
import time

from browser import ACCESS_KEY, Keys, Table, engine, keys, pointer, run, serve, wait_for

name, site, figures_path, rows_path = sys.argv[1:5]
shots = sys.argv[5] if len(sys.argv) > 5 else None
here = os.path.dirname(os.path.abspath(__file__))
# The shipped languages, and the locale each is tried in where the browser
# takes its languages from the environment.
LOCALES = dict(line.split() for line in open(os.path.join(here, '../locales.txt'))
               if line.strip() and not line.startswith('#'))

server, url = serve(site)
page = engine(name)
js = page.js
access = ACCESS_KEY[name]
BAR = '#frmMain [data-control=hsbVesk]'
# What the page calls in the program, through its binding.
PROGRAM_CALLS = ('click', 'closeBox', 'keyPress', 'scrollStep', 'scrollTrack', 'scrollRelease', 'laidOut')


def catalog(tag, context, english):
    """A text as the language's catalog in po/ has it (English for 'en')."""
    if tag == 'en':
        return english
    with open(os.path.join(here, '../../po/%s.po' % tag), encoding='utf-8') as f:
        found = re.search(r'msgctxt %s\nmsgid %s\nmsgstr ("[^\n]*")\n' % (
            re.escape(json.dumps(context)), re.escape(json.dumps(english))), f.read())
    return json.loads(found.group(1))


def q(control, window='frmMain'):
    return "document.querySelector('#%s [data-control=%s]')" % (window, control)


def text(control):
    return js('return %s.textContent' % q(control))


def value():
    return js('return %s.value' % q('txtVesk'))


def position():
    return js("return %s.getAttribute('aria-valuenow')" % q('hsbVesk'))


def until(body, seconds=10, *arguments):
    """Waits until the script's result is true; returns it (or the last)."""
    return wait_for(lambda: js(body, *arguments), seconds)


def fresh(address=url):
    page.get(address)
    until("const w = document.getElementById('frmMain'); return w !== null && !w.hidden")


def settle():
    """Waits for the page's next two frames: laid out and drawn anew."""
    js('await new Promise((f) => requestAnimationFrame(() => requestAnimationFrame(f)))')


def focused():
    return js('return document.activeElement && document.activeElement.dataset.control || null')


def box_of(selector):
    return js('const r = document.querySelector(arguments[0]).getBoundingClientRect();'
              'return [r.left, r.top, r.width, r.height]', selector)


def click(selector, x=None, button=0, kind='mouse'):
    """A click (or a tap) on the element, x from its left edge or at its middle."""
    # In view, and drawn there (two frames on), where the engine will look for it.
    js("document.querySelector(arguments[0]).scrollIntoView({ block: 'nearest' });"
       "await new Promise((f) => requestAnimationFrame(() => requestAnimationFrame(f)))", selector)
    left, top, width, height = box_of(selector)
    pointer(page, [('move', left + (width / 2 if x is None else x), top + height / 2),
                   ('down', button), ('up', button)], kind)


def about_open():
    return js("const a = document.getElementById('frmAbout'); return a !== null && a.open")


def corner(window):
    return js("const r = document.getElementById(arguments[0]).getBoundingClientRect();"
              "return [Math.round(r.left), Math.round(r.top)]", window)


def on_main():
    """Whether About's corner is on the main window's, once the page has laid
    itself out anew (at its next frame)."""
    return until("const c = (w) => { const r = document.getElementById(w).getBoundingClientRect();"
                 "return Math.round(r.left) + ',' + Math.round(r.top); };"
                 "return c('frmAbout') === c('frmMain')", 3)


def enter(typed):
    """Types into the text box, as a user would, then Enter."""
    js('const b = %s; b.focus(); b.select();' % q('txtVesk'))
    keys(page, typed or Keys.DELETE, Keys.ENTER)


def media(*features):  # Chromium's emulated CSS media features: (name, value)...
    page.cdp('Emulation.setEmulatedMedia', {'features': [{'name': n, 'value': v} for n, v in features]})


def accessible():
    tree = page.cdp('Accessibility.getFullAXTree')['nodes']
    return {(n.get('role', {}).get('value'), n.get('name', {}).get('value')) for n in tree
            if not n.get('ignored')}


class Page(Table):
    """What every engine is held to."""

    def test_enter_rows(self):
        """The Enter rows of the shared table, typed with real keys."""
        fresh()
        self.row('the first focus is on Exit', focused(), 'cmdExit')
        # Where the page puts things: the client area and a control in CSS pixels (twips / 15).
        drawn = js("""const box = (e) => { const r = e.getBoundingClientRect(); return [r.width, r.height]; };
            const client = document.querySelector('#frmMain .client');
            const c = client.getBoundingClientRect(), t = document.querySelector('#frmMain [data-control=txtVesk]')
                .getBoundingClientRect();
            return [box(client), [t.left - c.left, t.top - c.top, t.width, t.height], document.title]""")
        self.row('a client area of 315 x 139, the text box at 64, 48, 49 x 19, the title "Vesk"',
                 drawn, [[315, 139], [64, 48, 49, 19], 'Vesk'])
        for line in open(rows_path, encoding='utf-8').read().splitlines():
            row, typed, after, at, method, colour, light, metres = line.split('\t')
            enter(typed)
            got, want = [value(), position()], [after, at]
            if method:
                got += js("return [%s.textContent, getComputedStyle(%s).color]" % (q('lblMethod'), q('lblMethod')))
                got += [text('lblLight'), text('lblMetres')]
                want += [method, 'rgb(%d, %d, %d)' % tuple(int(colour[i:i + 2], 16) for i in (0, 2, 4)), light,
                         metres]
            self.row('Enter: ' + row, got, want)

    def test_key_presses(self):
        """Every key typed into the text box goes to the program first, which
        may withhold it: here a stand-in handler withholds "x"."""
        fresh()
        js("window.pressed = []; const handler = Module.keyPress;"
           "Module.keyPress = (w, r, c) => (window.pressed.push(c), c === 120 ? 0 : handler(w, r, c));")
        rows = [
            # typed, the codes the handler saw, the box's text, the position
            ('.5', [46, 53, 13], '.5', '500'),
            ('.x5', [46, 120, 53, 13], '.5', '500'),
            ('.55' + Keys.BACKSPACE, [46, 53, 53, 8, 13], '.5', '500'),
        ]
        for typed, codes, box, at in rows:
            js('window.pressed = [];')
            enter(typed)
            self.row('typed %r: the handler sees each key, the box keeps what it lets through' % typed,
                     [js('return window.pressed'), value(), position()], [codes, box, at])

    def test_scroll_bar(self):
        """The scroll bar: arrows, trough, thumb, keys."""
        fresh()
        width = box_of(BAR)[2]
        rows = [
            # what the user does, then the position and the text
            ('End', lambda: keys(page, Keys.END), '9999', ' 9.999'),
            ('Home', lambda: keys(page, Keys.HOME), '0', ' 0'),
            ('right arrow, touched', lambda: click(BAR, width - 5, kind='touch'), '1', ' .001'),
            ('right arrow', lambda: click(BAR, width - 5), '2', ' .002'),
            ('left arrow', lambda: click(BAR, 5), '1', ' .001'),
            ('left arrow again', lambda: click(BAR, 5), '0', ' 0'),
            ('left arrow at the left end', lambda: click(BAR, 5), '0', ' 0'),
            ('trough right of the thumb', lambda: click(BAR, width // 2), '100', ' .1'),
            ('Right key', lambda: keys(page, Keys.ARROW_RIGHT), '101', ' .101'),
            ('Page Down', lambda: keys(page, Keys.PAGE_DOWN), '201', ' .201'),
            ('Page Up', lambda: keys(page, Keys.PAGE_UP), '101', ' .101'),
            ('Left key', lambda: keys(page, Keys.ARROW_LEFT), '100', ' .1'),
            ('End', lambda: keys(page, Keys.END), '9999', ' 9.999'),
            ('trough left of the thumb', lambda: click(BAR, 30), '9899', ' 9.899'),
            ('Home again', lambda: keys(page, Keys.HOME), '0', ' 0'),
        ]
        js('%s.focus()' % q('hsbVesk'))
        for row, act, at, shown in rows:
            act()
            self.row('scroll bar: %s gives %s' % (row, shown.strip()), (position(), value()), (at, shown))
        self.row('the scroll bar keeps the focus it took', focused(), 'hsbVesk')
        self.row('the scroll bar is spoken as the factor and names the box it sets',
                 js("const b = %s; return [b.getAttribute('aria-valuetext'), b.getAttribute('aria-controls'),"
                    " b.getAttribute('aria-valuemin'), b.getAttribute('aria-valuemax'), %s.id]"
                    % (q('hsbVesk'), q('txtVesk'))),
                 [' 0', 'frmMain-txtVesk', '0', '9999', 'frmMain-txtVesk'])

        # The thumb dragged half its travel: the text follows at once, the results
        # on release; dragged past the end, it stops there.
        before = text('lblLight')
        left, top, side, _ = box_of(BAR + ' .thumb')
        travel = width - 3 * side
        pointer(page, [('move', left + side / 2, top + side / 2), ('down', 0),
                       ('move', left + side / 2 + travel // 2, top + side / 2)])
        during = (value(), text('lblLight'))
        pointer(page, [('up', 0)])
        self.row('dragging the thumb: the text follows, the results wait', during, (' 5', before))
        self.row('letting it go: position 5000 and its results', (position(), value(), text('lblLight')),
                 ('5000', ' 5', '213.75'))
        left = box_of(BAR + ' .thumb')[0]
        pointer(page, [('move', left + side / 2, top + side / 2), ('down', 0),
                       ('move', left + side / 2 + travel, top + side / 2), ('up', 0)])
        self.row('dragged past the right end: held at 9999', (position(), value()), ('9999', ' 9.999'))
        # WebKitGTK's driver never lets the right button up again, after which WebKit
        # takes every press as a second button held with it: not there.
        if name != 'webkit':
            click(BAR, 5, button=2)
            self.row('the right button on an arrow does nothing', (position(), value()), ('9999', ' 9.999'))

        # A megabyte pasted and Enter: kept whole, as the desktop boxes keep it, and read.
        js("const b = %s; b.focus(); b.select();"
           "document.execCommand('insertText', false, '0.5' + '1'.repeat(1 << 20))" % q('txtVesk'))
        keys(page, Keys.ENTER)
        # WebKit's own text boxes stop at 524,288 characters.
        self.row('a 1 MB paste and Enter: kept whole (WebKit: its first 512 Ki), position 511, the page answers',
                 [js('return %s.value.length' % q('txtVesk')), position(), text('lblLight')],
                 [1 << 19 if name == 'webkit' else 3 + (1 << 20), '511', '0.11'])
        self.row('the box asks for a full keyboard (a sign, a point, an exponent)',
                 js("return %s.getAttribute('inputmode')" % q('txtVesk')), 'text')

    def test_keyboard(self):
        """Tab order and access keys."""
        fresh()
        order = [focused()]
        for _ in range(4):
            keys(page, Keys.TAB)
            order.append(focused())
        self.row('in a tab, Tab goes Exit, scroll bar, text box, About, then leaves the page',
                 # WebKitGTK's MiniBrowser takes the focus round into the page again.
                 order[:4] + [order[4] if name != 'webkit' else None],
                 ['cmdExit', 'hsbVesk', 'txtVesk', 'cmdAbout', None])
        # An installed app's window: its display mode, which no engine's driver
        # emulates, answered by the page's own query.
        fresh(url + '?app')
        js("const real = matchMedia.bind(self); self.matchMedia = (m) => /display-mode/.test(m)"
           " ? { matches: /standalone/.test(m), media: m } : real(m);")
        keys(page, Keys.TAB, Keys.TAB, Keys.TAB, Keys.TAB)
        self.row('in an app window, Tab goes round from About to Exit', focused(), 'cmdExit')
        keys(page, (Keys.SHIFT, Keys.TAB))
        self.row('Shift+Tab goes back', focused(), 'cmdAbout')
        js('%s.focus()' % q('txtVesk'))
        keys(page, (*access, 'a'))
        self.row('%s+A opens About' % '+'.join({Keys.ALT: 'Alt', Keys.SHIFT: 'Shift'}[k] for k in access),
                 about_open(), True)
        self.row('the access keys are underlined: A, x; O',
                 [js("return [...document.querySelectorAll(arguments[0])].map((e) => e.textContent)", w + ' u')
                  for w in ('#frmMain', '#frmAbout')], [['A', 'x'], ['O']])

    def test_about(self):
        """The About window, over the main window."""
        fresh()
        click('#frmMain [data-control=cmdAbout]')
        self.row('About is modal', js("return document.getElementById('frmAbout').matches(':modal')"), True)
        self.row('its OK has the focus', js("return document.activeElement.closest('#frmAbout') !== null"
                                            " && document.activeElement.dataset.control"), 'cmdExit')
        self.row('its picture is the logo of its table', js(
            "const i = %s; return [new URL(i.src).pathname.split('/').pop(), i.naturalWidth, i.naturalHeight]"
            % q('Image1', 'frmAbout')), ['logo.bmp', 220, 47])
        self.row('its corner is on the main window\'s', corner('frmAbout'), corner('frmMain'))
        keys(page, (*access, 'x'))
        self.row('the main window takes no input meanwhile (its Exit key)',
                 js("return document.getElementById('ended') === null") and about_open(), True)
        js("const tall = document.createElement('div'); tall.id = 'tall'; tall.className = 'ended';"
           "tall.textContent = '.'; document.body.append(tall); tall.style.height = '2000px';"
           "window.scrollTo(0, 120)")
        self.row('after the page scrolled, still on the main window', on_main(), True)
        page.resize(700, 600)
        self.row('after the window changed size, too', on_main(), True)
        page.resize(800, 600)
        on_main()
        click('#frmAbout [data-control=cmdExit]')
        self.row('OK hides it and keeps it',
                 [about_open(), js("return document.getElementById('frmAbout') !== null")], [False, True])
        click('#frmMain [data-control=cmdAbout]')
        click('#frmAbout .close-box')
        self.row('its close box removes it', js("return document.getElementById('frmAbout') === null"), True)
        click('#frmMain [data-control=cmdAbout]')
        self.row('made anew, in its place', [about_open(), corner('frmAbout')], [True, corner('frmMain')])
        keys(page, Keys.ESCAPE)
        self.row('Escape acts as the close box', js("return document.getElementById('frmAbout') === null"), True)

    def test_exit_while_an_arrow_is_held(self):
        """Exit's key pressed while an arrow is held (it steps again and again)."""
        fresh()
        left, top, _, height = box_of(BAR)
        presses = [{'type': 'keyDown', 'value': k} for k in (*access, 'x')] + [
            {'type': 'keyUp', 'value': k} for k in ('x', *reversed(access))]
        page.perform([
            {'type': 'pointer', 'id': 'mouse', 'parameters': {'pointerType': 'mouse'}, 'actions': [
                {'type': 'pointerMove', 'x': int(left + 5), 'y': int(top + height / 2), 'origin': 'viewport'},
                {'type': 'pointerDown', 'button': 0}, {'type': 'pause', 'duration': 500}] +
                [{'type': 'pause', 'duration': 0}] * len(presses)},
            {'type': 'key', 'id': 'keyboard', 'actions': [{'type': 'pause', 'duration': 0}] * 3 + presses}])
        js("window.calls = 0; for (const k of arguments[0].split(','))"
           "{ const f = Module[k]; Module[k] = (...a) => (++window.calls, f(...a)); }", ','.join(PROGRAM_CALLS))
        time.sleep(0.5)
        self.row('Exit while an arrow is held: no call reaches the ended program afterwards',
                 js('return window.calls'), 0)
        page.release()
        self.row('Exit ends it: in a tab, a line saying so, with a way back', js(
            "const e = document.getElementById('ended');"
            "return e !== null && document.getElementById('frmMain') === null && e.querySelector('a') !== null"),
            True)

    def test_reading_order(self):
        """What a screen reader reads, in the window's order, top to bottom
        and left to right; the results are told as they change."""
        fresh()
        self.row('the reading order', js(
            "return [...document.querySelectorAll('#frmMain [data-control]')].map((e) => e.dataset.control)"),
            ['hsbVesk', 'Label1', 'txtVesk', 'Label3', 'lblLight', 'Label4', 'lblMetres', 'lblMethod',
             'cmdAbout', 'cmdExit'])
        self.row('the results are statuses, none read out by itself as it changes', js(
            "return [...document.querySelectorAll('#frmMain [role=status]')]"
            ".map((e) => e.dataset.control + ' ' + e.getAttribute('aria-live'))"),
            ['lblLight off', 'lblMetres off', 'lblMethod off'])
        self.row('one polite region speaks for the page, outside the windows', js(
            "return [...document.querySelectorAll('[aria-live]:not([aria-live=off])')]"
            ".map((e) => [e.id, e.getAttribute('aria-live'), e.closest('.window') === null])"),
            [['announcements', 'polite', True]])

    def test_no_request_leaves_the_site(self):
        fresh()
        self.row('no request leaves the site', js(
            "return performance.getEntriesByType('resource').map((e) => e.name)"
            ".filter((n) => !n.startsWith(location.origin))"), [])

    def test_offline(self):
        """Kept whole by the service worker, and working with the server gone
        (last: the server does not come back)."""
        fresh()
        until('return navigator.serviceWorker.controller !== null')
        kept = js("const c = await caches.open((await caches.keys())[0]);"
                  "return (await c.keys()).map((k) => new URL(k.url).pathname.slice(1))")
        # (The worker itself the browser keeps.)
        self.row('the service worker keeps every file of the site', sorted(kept),
                 sorted(set(os.listdir(site)) - {'sw.js'}))
        server.shutdown()
        server.server_close()
        fresh()
        js("const b = %s; b.value = '5';"
           "b.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', bubbles: true, cancelable: true}))"
           % q('txtVesk'))
        self.row('with the server gone, it loads and works', text('lblLight'), '213.75')


# Whether every text of the page's windows fits its element: a label's text
# its box, a button's its content box.
OVERFLOWING = """
    const wrong = [];
    for (const e of document.querySelectorAll('.window [data-control]')) {
      if (e.classList.contains('label') && (e.scrollWidth > e.clientWidth || e.scrollHeight > e.clientHeight))
        wrong.push(e.dataset.control + ' "' + e.textContent + '" ' + e.scrollWidth + ' > ' + e.clientWidth);
      if (e.classList.contains('button')) {
        const range = document.createRange();
        range.selectNodeContents(e);
        const r = range.getBoundingClientRect();
        if (r.width > e.clientWidth || r.height > e.clientHeight)
          wrong.push(e.dataset.control + ' "' + e.textContent + '" ' + r.width + ' > ' + e.clientWidth);
      }
    }
    return wrong;"""


def restart(**settings):
    """The engine started again, with its settings (browser.engine's)."""
    global page, js
    stop = page.driver.quit if hasattr(page, 'driver') else page.quit
    stop()
    atexit.unregister(stop)
    page = engine(name, **settings)
    js = page.js


# Every text of the open windows against what it stands on: the lowest
# ratio, and each below 7:1, by WCAG's formula.
CONTRAST = """
    const rgb = (c) => (c.match(/[\\d.]+/g) || []).map(Number);
    const lum = (c) => { const v = rgb(c).slice(0, 3).map((x) => { x /= 255;
        return x <= 0.04045 ? x / 12.92 : Math.pow((x + 0.055) / 1.055, 2.4); });
        return 0.2126 * v[0] + 0.7152 * v[1] + 0.0722 * v[2]; };
    const ground = (e) => { for (; e; e = e.parentElement) { const c = getComputedStyle(e).backgroundColor;
        const v = rgb(c); if (v.length === 3 || v[3] > 0) return c; } return 'rgb(255, 255, 255)'; };
    let lowest = 21; const wrong = [];
    const texts = [...document.querySelectorAll('.window [data-control], .window .caption-text')]
        .filter((e) => e.closest('.window').matches('[open], section:not([hidden])')
                && !e.classList.contains('image') && !e.classList.contains('scroll-bar')
                && (e.value || e.textContent).trim());
    for (const e of texts) {
      const fore = getComputedStyle(e).color, back = ground(e);
      const [a, b] = [lum(fore), lum(back)];
      const ratio = (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
      lowest = Math.min(lowest, ratio);
      if (ratio < 7) wrong.push((e.dataset.control || 'caption') + ' ' + fore + ' on ' + back + ': ' + ratio.toFixed(2));
    }
    return [texts.length, wrong, Math.round(lowest * 100) / 100];"""

# Texts cut inside their boxes, as OVERFLOWING, and the text box's too.
CLIPPED = OVERFLOWING.replace('return wrong;', """
    for (const e of document.querySelectorAll('.window [data-control=txtVesk]'))
      if (parseFloat(getComputedStyle(e).fontSize) > e.clientHeight)
        wrong.push('txtVesk ' + getComputedStyle(e).fontSize + ' in ' + e.clientHeight);
    return wrong;""")

# No sideways scrolling, and each window within the page's width.
FITS = ("const d = document.documentElement; const wide = [...document.querySelectorAll('.window')]"
        ".filter((w) => !w.hidden && w.getBoundingClientRect().right > d.clientWidth + 0.5).map((w) => w.id);"
        "return [d.scrollWidth <= d.clientWidth, wide]")


class Readers(Table):
    """For every reader and every screen: one announcement per result, more
    contrast when asked for, text that grows, a phone's screen filled."""

    def test_announcements(self):
        """The results, told together, once they settle."""
        fresh()
        js("window.told = []; new MutationObserver(() => told.push("
           "document.getElementById('announcements').textContent.trim()))"
           ".observe(document.getElementById('announcements'), {childList: true, characterData: true, subtree: true})")
        enter('2')
        time.sleep(1.5)
        self.row('Enter: told once, all three results by what they mean', js('return told'),
                 ['Multiple of c: 10.08, Metres per second: 3,021,739,412, Method: Established'])
        enter('2')
        time.sleep(1.5)
        self.row('Enter on the same factor: told again, once', js('return told.length'), 2)
        js('told.length = 0')
        left, top, width, height = box_of(BAR)
        pointer(page, [('move', left + width - 5, top + height / 2), ('down', 0), ('pause', 2000), ('up', 0)])
        time.sleep(1.5)
        told = js('return told')
        print('  an arrow held for 2 s: %d announcements' % len(told))
        self.row('an arrow held for 2 s: between 2 and 5 told, the last the final results',
                 [2 <= len(told) <= 5, told[-1:] == ['Multiple of c: %s, Metres per second: %s, Method: %s' % (
                     text('lblLight'), text('lblMetres'), text('lblMethod'))]], [True, True])
        self.row('the named results carry no description that repeats their name',
                 js("return ['lblLight', 'lblMetres'].map((c) => document.querySelector("
                    "'#frmMain [data-control=' + c + ']').getAttribute('aria-description'))"),
                 [None, 'Metres per second'])

    def test_phone(self):
        """A phone's screen, 360 x 740, and a finger."""
        fresh()
        if name == 'chromium':
            page.cdp('Emulation.setDeviceMetricsOverride',
                     {'width': 360, 'height': 740, 'deviceScaleFactor': 2, 'mobile': True})
            page.cdp('Emulation.setTouchEmulationEnabled', {'enabled': True, 'maxTouchPoints': 5})
        else:
            page.resize(360, 740)
        # (WebKitGTK's browser window is never narrower than its tool bar.)
        until('return innerWidth <= 360', 3)
        settle()
        width = until("const w = document.getElementById('frmMain').getBoundingClientRect().width;"
                      "return w >= 0.9 * innerWidth && w", 5)
        print('  a %d px wide page: the window %.1f px wide' % (js('return innerWidth'), width))
        self.row('at %d px wide the window fills 90%% or more (%.1f px)' % (js('return innerWidth'), width),
                 [width >= 0.9 * js('return innerWidth'), js(FITS), js(CLIPPED)], [True, [True, []], []])
        click('#frmMain [data-control=cmdAbout]', kind='touch')
        self.row('a tap on About opens it, within the screen', [about_open(), js(FITS), js(CLIPPED)],
                 [True, [True, []], []])
        keys(page, Keys.ESCAPE)
        if name == 'chromium':
            page.cdp('Emulation.setTouchEmulationEnabled', {'enabled': False})
            page.cdp('Emulation.clearDeviceMetricsOverride')
        else:
            page.resize(800, 600)

    def test_more_contrast(self):
        """Every text at 7:1 or more when the user asks for more contrast, and
        the design's colours when not."""
        fresh()
        enter('2')
        click('#frmMain [data-control=cmdAbout]')
        count, _, lowest = js(CONTRAST)
        self.row('as designed: 15 texts, the green result the lowest at 2.88:1', [count, lowest], [15, 2.88])
        restart(more_contrast=True)
        fresh()
        enter('9.5')  # the yellow word, then the green
        click('#frmMain [data-control=cmdAbout]')
        yellow = js(CONTRAST)
        keys(page, Keys.ESCAPE)
        enter('2')
        click('#frmMain [data-control=cmdAbout]')
        green = js(CONTRAST)
        print('  more contrast: the lowest text at %.2f:1 (yellow word), %.2f:1 (green word)' % (yellow[2], green[2]))
        self.row('more contrast: every text of both windows at 7:1 or more, each method word',
                 [yellow[:2], green[:2], min(yellow[2], green[2]) >= 7], [[15, []], [15, []], True])
        if name == 'chromium':  # Chromium alone changes it in a running page
            media()
            self.row('asked for nothing again, at once: the design\'s colours', js(CONTRAST)[2], 2.88)
        restart()

    def test_text_that_grows(self):
        """A minimum font size of 18 and 24 px: nothing cut, and within a
        320 px wide page."""
        for size in (18, 24):
            restart(minimum_font=size)
            fresh()
            enter('9.5')
            lettered = js("return parseFloat(getComputedStyle(%s).fontSize)" % q('Label3'))
            print('  minimum font %d px: the window %.0f px wide' % (size, box_of('#frmMain')[2]))
            clipped = js(CLIPPED)
            click('#frmMain [data-control=cmdAbout]')
            clipped += js(CLIPPED)
            self.row('at %d px: lettered at it (%.1f), nothing cut' % (size, lettered),
                     [lettered >= size - 0.5, clipped], [True, []])
            keys(page, Keys.ESCAPE)
            if name == 'chromium':
                page.cdp('Emulation.setDeviceMetricsOverride',
                         {'width': 320, 'height': 640, 'deviceScaleFactor': 1, 'mobile': True})
            else:
                page.resize(320, 640)
            until('return innerWidth <= 320', 3)
            settle()
            shown = js(FITS)
            enter('9.5')
            self.row('at %d px in a 320 px page: no sideways scrolling, nothing cut, still at work' % size,
                     [shown, js(CLIPPED), text('lblLight')], [[True, []], [], '1,842.28'])
            click('#frmMain [data-control=cmdAbout]')
            self.row('at %d px in a 320 px page: About within it, nothing cut' % size,
                     [about_open(), js(FITS), js(CLIPPED)], [True, [True, []], []])
        restart()


class Languages(Table):
    """The page in each shipped language, as the browser names it: the
    windows' texts in it, each fitting its element, the figures those of
    English, and the page's own words too."""

    def in_language(self, tag):
        if page.prefer_languages([tag.replace('_', '-')]) is None:
            # WebKitGTK takes the user's languages from its environment: it
            # starts again in the language's.
            os.environ.update(LANGUAGE=tag, LC_ALL=LOCALES.get(tag, 'C.UTF-8'))
            restart()
        fresh()

    def test_every_language(self):
        english = None
        for tag in ['en'] + sorted(LOCALES):
            self.in_language(tag)
            texts = js("return [...document.querySelectorAll('#frmMain .button')].map((b) => b.textContent)")
            english = english or texts
            self.row('%s: the page says its language' % tag, js('return document.documentElement.lang'),
                     tag.replace('_', '-'))
            if tag != 'en':
                self.row('%s: the buttons in it' % tag, [t != e for t, e in zip(texts, english)], [True, True])
            figures = js("""
                const box = document.querySelector('#frmMain [data-control=txtVesk]');
                const shown = (n) => document.querySelector('#frmMain [data-control=' + n + ']').textContent;
                const got = [], wrong = [];
                for (const typed of JSON.parse(arguments[0])) {
                  box.value = typed;
                  box.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', bubbles: true, cancelable: true}));
                  got.push([shown('lblLight'), shown('lblMetres')]);
                  if (!shown('lblMethod')) wrong.push(typed + ': no method word');
                }
                return [got, wrong];""", json.dumps([row[1] for row in ROWS if row[4]]))
            self.row('%s: the figures of every Enter row, as in English' % tag, figures,
                     [[[row[6], row[7]] for row in ROWS if row[4]], []])
            for typed in (' 9', '9.5'):  # each method word in its turn
                js("const box = document.querySelector('#frmMain [data-control=txtVesk]'); box.value = arguments[0];"
                   "box.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', bubbles: true, cancelable: true}))",
                   typed)
                self.row('%s: every text of the main window fits, at %s' % (tag, typed.strip()), js(OVERFLOWING), [])
            click('#frmMain [data-control=cmdAbout]')
            self.row('%s: every text of About fits' % tag, js(OVERFLOWING), [])
            keys(page, Keys.ESCAPE)
            js("document.querySelector('#frmMain [data-control=cmdExit]').click()")
            ended = js("const e = document.getElementById('ended'); return e && e.textContent")
            self.row('%s: the page\'s own words in it' % tag, ended,
                     catalog(tag, 'page', 'Vesk Calculator has ended.') + ' ' +
                     catalog(tag, 'page', 'Start it again'))


class Chromium(Table):
    """What Chromium's own protocol checks, and the figures through the page."""

    def test_figures(self):
        """Every figure of the machine that builds, inside the page: the
        program computes them, so one engine is enough to hold the page's
        reading and writing of every one."""
        fresh()
        count, wrong = js("""
            const box = document.querySelector('#frmMain [data-control=txtVesk]');
            const shown = (n) => document.querySelector('#frmMain [data-control=' + n + ']').textContent;
            let count = 0; const wrong = [];
            for (const line of arguments[0].split('\\n')) {
              if (!line) continue;
              const [typed, method, light, metres] = line.split('\\t');
              box.value = typed;
              box.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', bubbles: true, cancelable: true}));
              ++count;
              const got = [typed, shown('lblMethod'), shown('lblLight'), shown('lblMetres')].join('\\t');
              if (got !== line && wrong.length < 5) wrong.push(got + '  <>  ' + line);
            }
            return [count, wrong];""", open(figures_path, encoding='utf-8').read())
        self.row('over 30,000 figures, each as the machine that builds shows it', [count > 30000, wrong], [True, []])

    def test_accessibility_tree(self):
        """The names a screen reader is given."""
        fresh()
        seen = accessible()
        for role, label in [('region', 'Vesk'), ('button', 'Exit'), ('button', 'About'),
                            ('scrollbar', 'Vesk factor in thousandths'), ('textbox', 'Vesk factor'),
                            ('status', 'Multiple of c'), ('status', 'm/sec'), ('status', 'Method')]:
            self.row('a %s named "%s"' % (role, label), (role, label) in seen, True)
        click('#frmMain [data-control=cmdAbout]')
        seen = accessible()
        for role, label in [('dialog', 'About'), ('button', 'OK')]:
            self.row('with About open, a %s named "%s"' % (role, label), (role, label) in seen, True)
        self.row('and nothing of the main window', ('button', 'Exit') in seen, False)

    def test_colours(self):
        """Colours in Chromium's emulated schemes."""
        fresh()
        click('#frmMain [data-control=cmdAbout]')
        colours = ("return ['#frmMain [data-control=Label3]', '#frmAbout [data-control=Label2]', '#frmAbout .client']"
                   ".map((s) => { const c = getComputedStyle(document.querySelector(s));"
                   " return c.color + ' on ' + c.backgroundColor; })")
        light = js(colours)
        self.row('by day: the system and fixed colours of the tables', light,
                 ['rgb(0, 0, 0) on rgb(128, 128, 128)', 'rgb(0, 0, 0) on rgb(192, 192, 192)',
                  'rgb(0, 0, 0) on rgb(192, 192, 192)'])
        media(('prefers-color-scheme', 'dark'))
        self.row('in a dark scheme the windows are drawn as by day', js(colours), light)
        media(('forced-colors', 'active'))
        shapes = js("""const s = (q, p) => getComputedStyle(document.querySelector(q), p);
            return [s('#frmMain .arrow-left', '::after').borderRightColor, s('#frmMain .trough').borderTopWidth,
                    s('#frmAbout .line').backgroundColor, s('#frmAbout .client').backgroundColor]""")
        self.row('in forced colours the arrows, the trough and About\'s lines stay visible',
                 ['rgba(0, 0, 0, 0)' not in shapes[0], shapes[1] != '0px', shapes[2] != shapes[3]],
                 [True, True, True])
        media()

    def test_installable_and_narrow(self):
        """Installable, safe, narrow."""
        fresh()
        errors = page.cdp('Page.getInstallabilityErrors').get('installabilityErrors')
        self.row('Chromium finds it installable', errors, [])
        manifest = page.cdp('Page.getAppManifest')
        self.row('its manifest parses without a complaint', manifest.get('errors'), [])
        fields = json.loads(manifest.get('data', '{}'))
        got = [fields.get(k) for k in ('name', 'short_name', 'display', 'start_url', 'scope', 'launch_handler',
                                       'background_color', 'theme_color')]
        got.append(sorted(i['sizes'] for i in fields.get('icons', [])))
        self.row('an app named "Vesk Calculator", standalone, relative, focusing a running window, '
                 'grey on navy, 192 and 512 px icons', got,
                 ['Vesk Calculator', 'Vesk', 'standalone', './', './', {'client_mode': 'focus-existing'},
                  '#808080', '#000080', ['192x192', '512x512']])
        self.row('no error and no refused script or style',
                 [e['message'] for e in page.driver.get_log('browser') if e['level'] == 'SEVERE'], [])
        if shots:
            page.driver.save_screenshot(shots + '/page-1x.png')
            page.cdp('Emulation.setDeviceMetricsOverride',
                     {'width': 800, 'height': 600, 'deviceScaleFactor': 2, 'mobile': False})
            page.driver.save_screenshot(shots + '/page-2x.png')
            page.cdp('Emulation.clearDeviceMetricsOverride')
        page.cdp('Emulation.setDeviceMetricsOverride',
                 {'width': 320, 'height': 640, 'deviceScaleFactor': 1, 'mobile': True})
        fits = ("const r = document.getElementById('frmMain').getBoundingClientRect();"
                "return r.left >= 0 && r.right <= innerWidth && document.documentElement.scrollWidth"
                " <= document.documentElement.clientWidth")
        self.row('at 320 px wide the window fits and nothing overflows', bool(until(fits, 5)), True)
        if shots:
            page.cdp('Emulation.setDeviceMetricsOverride',
                     {'width': 360, 'height': 640, 'deviceScaleFactor': 1, 'mobile': True})
            page.driver.save_screenshot(shots + '/page-360.png')
        page.cdp('Emulation.clearDeviceMetricsOverride')


ROWS = [line.split('\t') for line in open(rows_path, encoding='utf-8').read().splitlines()]
ORDER = [Page('test_enter_rows'), Page('test_key_presses'), Page('test_scroll_bar'), Page('test_keyboard'),
         Page('test_about'), Page('test_exit_while_an_arrow_is_held'), Page('test_reading_order'),
         Page('test_no_request_leaves_the_site'), Readers('test_announcements'), Readers('test_phone'),
         Readers('test_more_contrast'), Readers('test_text_that_grows')]
if name == 'chromium':
    ORDER += [Chromium('test_figures'), Chromium('test_accessibility_tree'), Chromium('test_colours'),
              Chromium('test_installable_and_narrow')]
ORDER.append(Languages('test_every_language'))
ORDER.append(Page('test_offline'))
run(ORDER, name)
