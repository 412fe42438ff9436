# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
"""What the page's tests and its benchmark share: a static server on
127.0.0.1, with connections kept as on any real host, and the three browser
engines, each driven the same way: scripts run in the page, and real key
presses and pointer moves as W3C actions. Chromium and WebKitGTK (its
MiniBrowser, on the X display it is given) are driven through WebDriver,
Firefox through its own WebDriver BiDi."""
import atexit
import functools
import glob
import http.server
import itertools
import json
import os
import socket
import subprocess
import tempfile
import sys
import threading
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.keys import Keys  # noqa: F401 (for the tests)

ENGINES = ('chromium', 'firefox', 'webkit')
# The modifiers that an access key takes on Linux.
ACCESS_KEY = {'chromium': (Keys.ALT,), 'firefox': (Keys.ALT, Keys.SHIFT), 'webkit': (Keys.ALT,)}


class _Quiet(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json'}
    protocol_version = 'HTTP/1.1'

    def log_message(self, *args):
        pass


def serve(directory):
    """Serves the folder on a free port; returns the server and its address."""
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0),
                                             functools.partial(_Quiet, directory=directory))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, 'http://127.0.0.1:%d/' % server.server_address[1]


def chromium(minimum_font=None):
    """A headless Chromium, quit when the program ends."""
    options = webdriver.ChromeOptions()
    if minimum_font:
        options.add_experimental_option('prefs', {'webkit.webprefs.minimum_font_size': minimum_font})
    options.binary_location = '/usr/bin/chromium'
    for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage',
                     '--window-size=800,600', '--no-first-run', '--disable-background-networking'):
        options.add_argument(argument)
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    driver.set_window_size(800, 600)
    driver.set_page_load_timeout(30)
    atexit.register(driver.quit)  # however the run ends
    return driver


def _wrapped(body):
    """A script body (which may await, and returns its result) as a function
    that WebDriver's asynchronous call runs, with its arguments."""
    return ('const done = arguments[arguments.length - 1];'
            '(async function () { %s }).apply(null, [...arguments].slice(0, -1))'
            '.then(done, (e) => done({ scriptError: String(e) }));' % body)


class _WebDriverEngine:
    def __init__(self, name, driver):
        self.name, self.driver = name, driver
        driver.set_script_timeout(30)

    def get(self, url):
        self.driver.get(url)

    def js(self, body, *arguments):
        result = self.driver.execute_async_script(_wrapped(body), *arguments)
        if isinstance(result, dict) and 'scriptError' in result:
            raise RuntimeError(result['scriptError'])
        return result

    def perform(self, sources):
        self.driver.execute('actions', {'actions': sources})

    def release(self):
        self.driver.execute('clearActionState', {})

    def cdp(self, method, params=None):
        return self.driver.execute_cdp_cmd(method, params or {}) if self.name == 'chromium' else None

    def resize(self, width, height):
        self.driver.set_window_size(width, height)

    def prefer_languages(self, tags):
        """The browser's languages, for the pages loaded from now on: by a
        script that runs before the page's own (Chromium's protocol); None
        where the engine has no such script (WebKitGTK: it takes them from
        the environment it starts in)."""
        if self.name != 'chromium':
            return None
        if getattr(self, '_languages', None):
            self.cdp('Page.removeScriptToEvaluateOnNewDocument', {'identifier': self._languages})
        self.cdp('Page.enable')
        self._languages = self.cdp('Page.addScriptToEvaluateOnNewDocument',
                                   {'source': '(() => { %s })();' % _languages_script(tags)})['identifier']
        return True


def _languages_script(tags):
    """A script that makes the page's navigator name these languages."""
    return ("const l = %s; Object.defineProperty(Navigator.prototype, 'languages', { get: () => l });"
            " Object.defineProperty(Navigator.prototype, 'language', { get: () => l[0] });" % json.dumps(tags))


def _free_port():
    with socket.socket() as s:
        s.bind(('127.0.0.1', 0))
        return s.getsockname()[1]


class _Firefox:
    """Firefox ESR through WebDriver BiDi, which it speaks itself; prefs are
    the profile's own settings."""
    name = 'firefox'

    def __init__(self, prefs=None):
        import websocket
        port = _free_port()
        self.profile = tempfile.mkdtemp()
        with open(os.path.join(self.profile, 'user.js'), 'w') as f:
            for key, value in (prefs or {}).items():
                f.write('user_pref(%s, %s);\n' % (json.dumps(key), json.dumps(value)))
        self.process = subprocess.Popen(
            ['firefox-esr', '--headless', '--no-remote', '--profile', self.profile,
             '--remote-debugging-port=%d' % port, '--width=800', '--height=600', 'about:blank'],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        atexit.register(self.quit)
        deadline = time.monotonic() + 60
        while True:
            try:
                self.ws = websocket.create_connection('ws://127.0.0.1:%d/session' % port,
                                                      suppress_origin=True, timeout=60)
                break
            except OSError:
                if time.monotonic() > deadline or self.process.poll() is not None:
                    raise
                time.sleep(0.2)
        self.ids = itertools.count(1)
        self.command('session.new', capabilities={})
        self.context = self.command('browsingContext.getTree')['contexts'][0]['context']

    def command(self, method, **params):
        number = next(self.ids)
        self.ws.send(json.dumps({'id': number, 'method': method, 'params': params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get('id') == number:
                if message.get('type') == 'error':
                    raise RuntimeError('%s: %s' % (message.get('error'), message.get('message')))
                return message['result']

    def get(self, url):
        self.command('browsingContext.navigate', context=self.context, url=url, wait='complete')

    @staticmethod
    def _value(remote):
        kind, value = remote['type'], remote.get('value')
        if kind == 'array':
            return [_Firefox._value(v) for v in value]
        if kind == 'object':
            return {k: _Firefox._value(v) for k, v in value}
        if kind == 'number' and isinstance(value, (int, float)) and float(value).is_integer():
            return int(value)
        return None if kind in ('null', 'undefined') else value

    @staticmethod
    def _argument(value):
        if isinstance(value, bool):
            return {'type': 'boolean', 'value': value}
        if isinstance(value, (int, float)):
            return {'type': 'number', 'value': value}
        return {'type': 'string', 'value': str(value)}

    def js(self, body, *arguments):
        result = self.command('script.callFunction', functionDeclaration='async function () { %s }' % body,
                              arguments=[self._argument(a) for a in arguments], awaitPromise=True,
                              target={'context': self.context}, serializationOptions={'maxObjectDepth': 8})
        if result['type'] == 'exception':
            raise RuntimeError(result['exceptionDetails'].get('text'))
        return self._value(result['result'])

    def perform(self, sources):
        self.command('input.performActions', context=self.context, actions=sources)

    def release(self):
        self.command('input.releaseActions', context=self.context)

    def cdp(self, method, params=None):
        return None

    def resize(self, width, height):
        self.command('browsingContext.setViewport', context=self.context,
                     viewport={'width': width, 'height': height})

    def prefer_languages(self, tags):
        """As _WebDriverEngine's, by a preload script of WebDriver BiDi."""
        if getattr(self, '_languages', None):
            self.command('script.removePreloadScript', script=self._languages)
        self._languages = self.command('script.addPreloadScript',
                                       functionDeclaration='() => { %s }' % _languages_script(tags))['script']
        return True

    def quit(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait(10)


def _webkit(minimum_font=None):
    """WebKitGTK's MiniBrowser, on the X display the test was given
    (tests/x_display.sh starts one); a minimum font size goes in its settings
    file."""
    from selenium.webdriver.webkitgtk.options import Options
    if not os.environ.get('DISPLAY'):
        raise RuntimeError('WebKitGTK needs an X display: run the test under tests/x_display.sh')
    options = Options()
    options.binary_location = glob.glob('/usr/lib/*/webkit2gtk-4.1/MiniBrowser')[0]
    options.add_argument('--automation')
    if minimum_font:
        settings = os.path.join(tempfile.mkdtemp(), 'settings.ini')
        with open(settings, 'w') as f:
            f.write('[websettings]\nminimum-font-size=%d\n' % minimum_font)
        options.add_argument('--config=' + settings)
    try:
        from selenium.webdriver.webkitgtk.service import Service as WebKitService
        driver = webdriver.WebKitGTK(options=options, service=WebKitService('/usr/bin/WebKitWebDriver'))
    except TypeError:  # Debian 12's Selenium takes the driver's path itself
        driver = webdriver.WebKitGTK(executable_path='/usr/bin/WebKitWebDriver', options=options)
    atexit.register(driver.quit)
    driver.set_window_size(800, 600)
    return driver


def engine(name, minimum_font=None, more_contrast=False, prefs=None):
    """One of ENGINES, started, and quit when the program ends; with a
    minimum font size, and asking pages for more contrast, where given
    (and for Firefox, prefs of its own).
    Chromium asks for more contrast through its protocol once started
    (media()), WebKitGTK as GTK's high-contrast theme does, Firefox as its
    accessibility theme does."""
    if name == 'chromium':
        started = _WebDriverEngine(name, chromium(minimum_font))
        if more_contrast:
            started.cdp('Emulation.setEmulatedMedia', {'features': [{'name': 'prefers-contrast', 'value': 'more'}]})
        return started
    if name == 'webkit':
        theme = os.environ.pop('GTK_THEME', None)
        if more_contrast:
            os.environ['GTK_THEME'] = 'HighContrast'
        try:
            return _WebDriverEngine(name, _webkit(minimum_font))
        finally:
            os.environ.pop('GTK_THEME', None)
            if theme is not None:
                os.environ['GTK_THEME'] = theme
    if name == 'firefox':
        prefs = dict(prefs or {})
        if minimum_font:
            prefs['font.minimum-size.x-western'] = minimum_font
        if more_contrast:
            prefs['ui.useAccessibilityTheme'] = 1
        return _Firefox(prefs)
    raise ValueError(name)


# -- Waits and actions, the same for every engine ----------------------------------
def wait_for(test, seconds):
    """Calls test until it gives a true result, or the time is up; returns its last result."""
    deadline = time.monotonic() + seconds
    while True:
        result = test()
        if result or time.monotonic() > deadline:
            return result
        time.sleep(0.05)


def keys(page, *sequence):
    """Presses keys: a string is typed key by key, a tuple is its last key
    pressed while the ones before it are held."""
    actions = []
    for item in sequence:
        if isinstance(item, tuple):
            *held, key = item
            actions += [{'type': 'keyDown', 'value': k} for k in held]
            actions += [{'type': 'keyDown', 'value': key}, {'type': 'keyUp', 'value': key}]
            actions += [{'type': 'keyUp', 'value': k} for k in reversed(held)]
        else:
            for k in item:
                actions += [{'type': 'keyDown', 'value': k}, {'type': 'keyUp', 'value': k}]
    page.perform([{'type': 'key', 'id': 'keyboard', 'actions': actions}])


def pointer(page, steps, kind='mouse'):
    """Pointer steps: ('move', x, y) in the page's viewport, ('down', button),
    ('up', button), ('pause', ms); a finger for kind 'touch'."""
    actions = []
    for step in steps:
        if step[0] == 'move':
            actions.append({'type': 'pointerMove', 'x': int(step[1]), 'y': int(step[2]), 'origin': 'viewport',
                            'duration': 0})
        elif step[0] == 'pause':
            actions.append({'type': 'pause', 'duration': step[1]})
        else:
            actions.append({'type': 'pointer' + step[0].capitalize(), 'button': step[1]})
    page.perform([{'type': 'pointer', 'id': kind, 'parameters': {'pointerType': kind}, 'actions': actions}])


class Table(unittest.TestCase):
    """A test whose checks are a table's rows."""
    maxDiff = None

    def row(self, what, got, want):
        """One row, told by name; the next row runs whatever this one gave."""
        with self.subTest(what):
            self.assertEqual(got, want)


def run(cases, name):
    """Runs the test cases, in the order given, on the engine named; the
    program's exit status says whether all ran and passed (none may skip)."""
    started = time.monotonic()
    suite = unittest.TestSuite(cases)
    result = unittest.TextTestRunner(stream=sys.stdout, verbosity=2).run(suite)
    print('%s: %.1f s' % (name, time.monotonic() - started))
    raise SystemExit(0 if result.wasSuccessful() and not result.skipped else 1)
