#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
"""The web page in headless Chromium, served from 127.0.0.1, driven with real
key presses and pointer moves (WebDriver actions). One browser for the run and
one table per behaviour; what the shared tables prove of the handlers is not
proven again here, only what the page can get wrong.

Usage: page_test.py SITE_DIR FIGURES_TSV ENTER_ROWS_TSV [SCREENSHOT_DIR]
"""
import json
import os
import sys
import time

from browser import chromium, serve
from selenium.common.exceptions import TimeoutException, WebDriverException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

site, figures_path, rows_path = sys.argv[1:4]
shots = sys.argv[4] if len(sys.argv) > 4 else None
passes = failures = 0


def check(what, ok, detail=''):
    global passes, failures
    if ok:
        passes += 1
        print('PASS  ', what)
    else:
        failures += 1
        print('FAIL  ', what, str(detail)[:400])


server, url = serve(site)
driver = chromium()


def control(name, window='frmMain'):
    return driver.find_element(By.CSS_SELECTOR, '#%s [data-control=%s]' % (window, name))


def text(name):
    return control(name).text


def js(script, *arguments):
    return driver.execute_script(script, *arguments)


def keys(*sequence):
    chain = ActionChains(driver)
    for key in sequence:
        if isinstance(key, tuple):  # a key held with another: (modifier, key)
            chain.key_down(key[0]).send_keys(key[1]).key_up(key[0])
        else:
            chain.send_keys(key)
    chain.perform()


def fresh():
    driver.get(url)
    WebDriverWait(driver, 10).until(lambda d: js(
        "const w = document.getElementById('frmMain'); return w !== null && !w.hidden"))


def focused():
    return js('return document.activeElement && document.activeElement.dataset.control || null')


def corner(window):
    return js("const r = document.getElementById(arguments[0]).getBoundingClientRect();"
              "return [Math.round(r.left), Math.round(r.top)]", window)


def on_main():
    """Whether About's corner is on the main window's, once the page has laid
    itself out anew (at its next frame)."""
    try:
        WebDriverWait(driver, 3).until(lambda d: corner('frmAbout') == corner('frmMain'))
    except TimeoutException:
        pass
    return corner('frmAbout') == corner('frmMain')


def media(*features):  # emulates CSS media features: (name, value)...
    driver.execute_cdp_cmd('Emulation.setEmulatedMedia', {
        'features': [{'name': n, 'value': v} for n, v in features]})


def calls_within(seconds):
    """Counts the calls into the program's exported functions from now on."""
    js("window.calls = 0; for (const k of Object.keys(Module).filter((k) => k.startsWith('_vesk_')))"
       "{ const f = Module[k]; Module[k] = (...a) => (++window.calls, f(...a)); }")
    time.sleep(seconds)
    return js('return window.calls')


def about_open():
    return js("const a = document.getElementById('frmAbout'); return a !== null && a.open")


# -- The Enter rows of the shared table, typed with real keys -----------------
print('== Enter in the text box')
fresh()
check('the first focus is on Exit', focused() == 'cmdExit', focused())
# Where the page puts things: the client area and a control in CSS pixels (twips / 15).
drawn = js("""const box = (e) => { const r = e.getBoundingClientRect(); return [r.width, r.height]; };
    const client = document.querySelector('#frmMain .client');
    const c = client.getBoundingClientRect(), t = document.querySelector('#frmMain [data-control=txtVesk]')
        .getBoundingClientRect();
    return [box(client), [t.left - c.left, t.top - c.top, t.width, t.height], document.title]""")
check('a client area of 315 x 139, the text box at 64, 48, 49 x 19, the title "Vesk"',
      drawn == [[315, 139], [64, 48, 49, 19], 'Vesk'], drawn)
box = control('txtVesk')
for line in open(rows_path, encoding='utf-8').read().splitlines():
    name, typed, after, position, method, colour, light, metres = line.split('\t')
    box.clear()
    box.send_keys(typed + Keys.ENTER)
    got = [box.get_attribute('value'), control('hsbVesk').get_attribute('aria-valuenow')]
    want = [after, position]
    if method:
        got += [text('lblMethod'), js("return getComputedStyle(arguments[0]).color",
                                      control('lblMethod')), text('lblLight'), text('lblMetres')]
        want += [method, 'rgb(%d, %d, %d)' % tuple(int(colour[i:i + 2], 16) for i in (0, 2, 4)),
                 light, metres]
    check('Enter: ' + name, got == want, '%r != %r' % (got, want))

# -- Every figure the Linux program shows, inside the page --------------------
print('== the same figures as the Linux program')
figures = open(figures_path, encoding='utf-8').read()
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
    return [count, wrong];""", figures)
check('%d figures, each as the Linux program shows it' % count, count > 30000 and not wrong, wrong)

# -- The scroll bar: arrows, trough, thumb, keys -------------------------------
print('== the scroll bar')
bar = control('hsbVesk')
thumb = bar.find_element(By.CSS_SELECTOR, '.thumb')
width = bar.size['width']


def click_at(x):  # x from the bar's left edge
    ActionChains(driver).move_to_element_with_offset(bar, x - width // 2, 0).click().perform()


def tap_at(x):  # the same with a finger
    touch = ActionBuilder(driver, mouse=PointerInput(interaction.POINTER_TOUCH, 'finger'))
    touch.pointer_action.move_to(bar, x - width // 2, 0).pointer_down().pointer_up()
    touch.perform()


scroll_rows = [
    # what the user does, then the position and the text
    ('Home', lambda: keys(Keys.HOME), '0', ' 0'),
    ('right arrow, touched', lambda: tap_at(width - 5), '1', ' .001'),
    ('right arrow', lambda: click_at(width - 5), '2', ' .002'),
    ('left arrow', lambda: click_at(5), '1', ' .001'),
    ('left arrow again', lambda: click_at(5), '0', ' 0'),
    ('left arrow at the left end', lambda: click_at(5), '0', ' 0'),
    ('trough right of the thumb', lambda: click_at(width // 2), '100', ' .1'),
    ('Right key', lambda: keys(Keys.ARROW_RIGHT), '101', ' .101'),
    ('Page Down', lambda: keys(Keys.PAGE_DOWN), '201', ' .201'),
    ('Page Up', lambda: keys(Keys.PAGE_UP), '101', ' .101'),
    ('Left key', lambda: keys(Keys.ARROW_LEFT), '100', ' .1'),
    ('End', lambda: keys(Keys.END), '9999', ' 9.999'),
    ('trough left of the thumb', lambda: click_at(30), '9899', ' 9.899'),
    ('right-click on an arrow does nothing', lambda: ActionChains(driver).move_to_element_with_offset(
        bar, 5 - width // 2, 0).context_click().perform(), '9899', ' 9.899'),
    ('Home again', lambda: keys(Keys.HOME), '0', ' 0'),
]
js('arguments[0].focus()', bar)
for name, act, position, shown in scroll_rows:
    act()
    got = (bar.get_attribute('aria-valuenow'), box.get_attribute('value'))
    check('scroll bar: %s gives %s' % (name, shown.strip()), got == (position, shown), got)
check('the scroll bar keeps the focus it took', focused() == 'hsbVesk', focused())
spoken = [bar.get_attribute('aria-valuetext'), bar.get_attribute('aria-controls'), box.get_attribute('id')]
check('the scroll bar is spoken as the factor and names the box it sets',
      spoken == [' 0', 'frmMain-txtVesk', 'frmMain-txtVesk'], spoken)

# The thumb dragged half its travel: the text follows at once, the results on release.
before = text('lblLight')
travel = width - 3 * bar.size['height']
drag = ActionChains(driver).click_and_hold(thumb).move_by_offset(travel // 2, 0)
drag.perform()
during = (box.get_attribute('value'), text('lblLight'))
ActionChains(driver).release().perform()
after = (bar.get_attribute('aria-valuenow'), box.get_attribute('value'), text('lblLight'))
check('dragging the thumb: the text follows, the results wait', during == (' 5', before), during)
check('letting it go: position 5000 and its results', after == ('5000', ' 5', '213.75'), after)

# A megabyte pasted and Enter: kept whole, as the desktop boxes keep it, and read.
box.clear()
driver.execute_cdp_cmd('Input.insertText', {'text': '0.5' + '1' * (1 << 20)})
keys(Keys.ENTER)
held = [js('return arguments[0].value.length', box), bar.get_attribute('aria-valuenow'), text('lblLight')]
check('a 1 MB paste and Enter: kept whole, position 511, the page answers',
      held == [3 + (1 << 20), '511', '0.11'], held)
check('the box asks for a full keyboard (a sign, a point, an exponent)',
      box.get_attribute('inputmode') == 'text')

# -- Tab order and access keys -------------------------------------------------
print('== the keyboard')
fresh()
order = [focused()]
for _ in range(4):
    keys(Keys.TAB)
    order.append(focused())
check('in a tab, Tab goes Exit, scroll bar, text box, About, and leaves the page',
      order == ['cmdExit', 'hsbVesk', 'txtVesk', 'cmdAbout', None], order)
# An installed app's window (its display mode, which CDP cannot emulate, set by the page's query).
app = driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': (
    "const real = matchMedia.bind(self); self.matchMedia = (q) => /display-mode/.test(q)"
    " ? { matches: /standalone/.test(q), media: q } : real(q);")})
fresh()
keys(Keys.TAB, Keys.TAB, Keys.TAB, Keys.TAB)
check('in an app window, Tab goes round from About to Exit', focused() == 'cmdExit', focused())
keys((Keys.SHIFT, Keys.TAB))
check('Shift+Tab goes back', focused() == 'cmdAbout', focused())
driver.execute_cdp_cmd('Page.removeScriptToEvaluateOnNewDocument', app)
control('txtVesk').click()
keys((Keys.ALT, 'a'))
check('Alt+A opens About', about_open())

# -- About ---------------------------------------------------------------------
print('== About')
check('About is modal', js("return document.getElementById('frmAbout').matches(':modal')"))
check('its OK has the focus', js("return document.activeElement.closest('#frmAbout') !== null"
                                 " && document.activeElement.dataset.control") == 'cmdExit')
check('its corner is on the main window\'s', corner('frmAbout') == corner('frmMain'),
      (corner('frmAbout'), corner('frmMain')))
keys((Keys.ALT, 'x'))
check('the main window takes no input meanwhile (Alt+X)', js(
    "return document.getElementById('ended') === null") and about_open())
js("const tall = document.createElement('div'); tall.id = 'tall'; tall.className = 'ended';"
   "tall.textContent = '.'; document.body.append(tall); tall.style.height = '2000px';"
   "window.scrollTo(0, 120)")
check('after the page scrolled, still on the main window', on_main(),
      (corner('frmAbout'), corner('frmMain')))
driver.set_window_size(700, 600)
check('after the window changed size, too', on_main(),
      (corner('frmAbout'), corner('frmMain')))
driver.set_window_size(800, 600)
control('cmdExit', 'frmAbout').click()
check('OK hides it and keeps it', not about_open() and js(
    "return document.getElementById('frmAbout') !== null"))
control('cmdAbout').click()
driver.find_element(By.CSS_SELECTOR, '#frmAbout .close-box').click()
check('its close box removes it', js("return document.getElementById('frmAbout') === null"))
control('cmdAbout').click()
check('made anew, in its place', about_open() and corner('frmAbout') == corner('frmMain'))
keys(Keys.ESCAPE)
check('Escape acts as the close box', js("return document.getElementById('frmAbout') === null"))

# -- Exit ----------------------------------------------------------------------
ActionChains(driver).move_to_element_with_offset(control('hsbVesk'), 5 - width // 2, 0).click_and_hold().perform()
time.sleep(0.5)  # stepping again and again
keys((Keys.ALT, 'x'))
check('Alt+X while an arrow is held: no call reaches the ended program', calls_within(0.5) == 0)
ActionChains(driver).release().perform()
check('Alt+X ends it: in a tab, a line saying so, with a way back',
      js("const e = document.getElementById('ended');"
         "return e && document.getElementById('frmMain') === null && e.querySelector('a') !== null"))

# -- What a screen reader is given ---------------------------------------------
print('== the accessibility tree')


def accessible():
    tree = driver.execute_cdp_cmd('Accessibility.getFullAXTree', {})['nodes']
    return {(n.get('role', {}).get('value'), n.get('name', {}).get('value')) for n in tree
            if not n.get('ignored')}


fresh()
seen = accessible()
for role, name in [('region', 'Vesk'), ('button', 'Exit'), ('button', 'About'),
                   ('scrollbar', 'Vesk factor in thousandths'), ('textbox', 'Vesk factor')]:
    check('a %s named "%s"' % (role, name), (role, name) in seen)
control('cmdAbout').click()
seen = accessible()
for role, name in [('dialog', 'About'), ('button', 'OK')]:
    check('with About open, a %s named "%s"' % (role, name), (role, name) in seen)
check('and nothing of the main window', ('button', 'Exit') not in seen)
keys(Keys.ESCAPE)
seen = accessible()
for role, name in [('status', 'Multiple of c'), ('status', 'm/sec'), ('status', 'Method')]:
    check('a result read out as a %s named "%s"' % (role, name), (role, name) in seen)
order = js("return [...document.querySelectorAll('#frmMain [data-control]')].map((e) => e.dataset.control)")
check('the reading order is the window\'s, top to bottom and left to right', order == [
    'hsbVesk', 'Label1', 'txtVesk', 'Label3', 'lblLight', 'Label4', 'lblMetres', 'lblMethod',
    'cmdAbout', 'cmdExit'], order)

# -- Colours: the same by night, and visible in forced colours -----------------
print('== colours')
COLOURS = ("return ['#frmMain [data-control=Label3]', '#frmAbout [data-control=Label2]', '#frmAbout .client']"
           ".map((s) => { const c = getComputedStyle(document.querySelector(s)); return c.color + ' on ' + c.backgroundColor; })")
control('cmdAbout').click()
light = js(COLOURS)
media(('prefers-color-scheme', 'dark'))
check('in a dark scheme the windows are drawn as by day', js(COLOURS) == light, (js(COLOURS), light))
media(('forced-colors', 'active'))
shapes = js("""const s = (q, p) => getComputedStyle(document.querySelector(q), p);
    return [s('#frmMain .arrow-left', '::after').borderRightColor, s('#frmMain .trough').borderTopWidth,
            s('#frmAbout .line').backgroundColor, s('#frmAbout .client').backgroundColor]""")
check('in forced colours the arrows, the trough and About\'s lines stay visible',
      'rgba(0, 0, 0, 0)' not in shapes[0] and shapes[1] != '0px' and shapes[2] != shapes[3], shapes)
media()

# -- Installable, safe, narrow, offline ----------------------------------------
print('== the site')
fresh()
errors = driver.execute_cdp_cmd('Page.getInstallabilityErrors', {}).get('installabilityErrors')
check('Chromium finds it installable', errors == [], errors)
manifest = driver.execute_cdp_cmd('Page.getAppManifest', {})
check('its manifest parses without a complaint', manifest.get('errors') == [], manifest.get('errors'))
fields = json.loads(manifest.get('data', '{}'))
got = [fields.get(k) for k in ('name', 'short_name', 'display', 'start_url', 'scope', 'launch_handler')]
got.append(sorted(i['sizes'] for i in fields.get('icons', [])))
want = ['Vesk Calculator', 'Vesk', 'standalone', './', './', {'client_mode': 'focus-existing'},
        ['192x192', '512x512']]
check('an app named "Vesk Calculator", standalone, relative, focusing a running window, 192 and 512 px icons',
      got == want, got)
others = js("return performance.getEntriesByType('resource').map((e) => e.name)"
            ".filter((n) => !n.startsWith(location.origin))")
check('no request leaves the site', others == [], others)
complaints = [e['message'] for e in driver.get_log('browser') if e['level'] == 'SEVERE']
check('no error and no refused script or style', complaints == [], complaints)
if shots:
    driver.save_screenshot(shots + '/page-1x.png')
    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                           {'width': 800, 'height': 600, 'deviceScaleFactor': 2, 'mobile': False})
    driver.save_screenshot(shots + '/page-2x.png')
    driver.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})
driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                       {'width': 320, 'height': 640, 'deviceScaleFactor': 1, 'mobile': True})
FITS = ("const r = document.getElementById('frmMain').getBoundingClientRect();"
        "return [r.left >= 0 && r.right <= innerWidth, document.documentElement.scrollWidth"
        " <= document.documentElement.clientWidth]")
try:  # the page fits the window to the new width at its next frame
    WebDriverWait(driver, 5).until(lambda d: js(FITS) == [True, True])
except TimeoutException:
    pass
fits = js(FITS)
check('at 320 px wide the window fits and nothing overflows', fits == [True, True], fits)
if shots:
    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                           {'width': 360, 'height': 640, 'deviceScaleFactor': 1, 'mobile': True})
    driver.save_screenshot(shots + '/page-360.png')
driver.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})

WebDriverWait(driver, 10).until(lambda d: js("return navigator.serviceWorker.controller !== null"))
kept = driver.execute_async_script("""const done = arguments[0];
    caches.keys().then((names) => caches.open(names[0])).then((c) => c.keys()).then((keys) => done(keys.map(
        (k) => new URL(k.url).pathname.slice(1) || 'index.html')))""")
# (The worker itself the browser keeps.)
check('the service worker keeps every file of the site',
      sorted(set(kept)) == sorted(set(os.listdir(site)) - {'sw.js'}),
      sorted(set(kept)))
server.shutdown()
server.server_close()
try:
    fresh()
    box = control('txtVesk')
    box.clear()
    box.send_keys('5' + Keys.ENTER)
    check('with the server gone, it loads and works', text('lblLight') == '213.75')
except WebDriverException as e:
    check('with the server gone, it loads and works', False, e.msg)

print('%d passed, %d failed' % (passes, failures))
sys.exit(1 if failures else 0)
