#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
"""Releases of the site and what the user sees when the program cannot start,
in one browser engine (chromium, firefox or webkit). A server on 127.0.0.1 serves release A (the build's),
then release B (the same files with a mark in the style sheet and the script,
made a release again), with faults on demand: a file missing, answered with
an error, truncated or garbled, a captive portal's page for everything, or no
answer at all; and a page whose policy refuses WebAssembly. Then B offered
while A is open, a slow link, each file's downloads, and a browser that will
not store the site.

Usage: release_test.py ENGINE SITE_DIR CMAKE SOURCE_DIR PAGE_TEMPLATE
(PAGE_TEMPLATE: the page the build filled in, index.html.in in its app/web)
"""
import atexit
import functools
import hashlib
import http.server
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from browser import Table, engine, run, wait_for

name, site, cmake, source, page_template = sys.argv[1:6]


PORTAL = b'<!DOCTYPE html><title>Hotel network</title><p>Log in to use the network.</p>'
# A WebAssembly module that is whole but not this program's: it imports x.y.
OTHER_WASM = bytes.fromhex('0061736d01000000010401600000020701017801790000')


PORTS = set()


class Server:
    """Serves a release folder; faults maps a file's name (or '*') to a fault."""

    def __init__(self, root):
        self.root, self.faults, self.asked = root, {}, []
        # A link of this many bytes a second, shared by every answer, and
        # this delay before each: none unless set.
        self.rate, self.latency = None, 0
        self.sent_until = time.monotonic()
        lock = threading.Lock()
        outer = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                              '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json'}

            def log_message(self, *args):
                pass

            def end_headers(self):
                if outer.faults.get('*') == 'no-wasm':  # a host's policy with no WebAssembly
                    self.send_header('Content-Security-Policy', "script-src 'self'")
                super().end_headers()

            def copyfile(self, source, destination):
                if not outer.rate:
                    return super().copyfile(source, destination)
                while True:
                    chunk = source.read(1024)
                    if not chunk:
                        return
                    with lock:  # the link's next free moment, for this chunk
                        at = max(outer.sent_until, time.monotonic()) + len(chunk) / outer.rate
                        outer.sent_until = at
                    time.sleep(max(0, at - time.monotonic()))
                    try:
                        destination.write(chunk)
                    except (BrokenPipeError, ConnectionResetError):
                        return  # the browser went on without it

            def do_GET(self):
                # Every answer in full: the server's root changes from one
                # release to the next within a second, which the whole
                # seconds of a Last-Modified cannot tell apart (a browser
                # told "not modified" would keep the old release's worker).
                del self.headers['If-Modified-Since']
                name = self.path.split('?')[0].lstrip('/') or 'index.html'
                outer.asked.append(name)
                outer.paths.append(self.path)
                time.sleep(outer.latency)
                fault = outer.faults.get(name, outer.faults.get('*'))
                if fault == 'hang':  # past the worker's deadline, then nothing
                    time.sleep(12)
                    return
                if fault in ('missing', 'error'):
                    return self.send_error(404 if fault == 'missing' else 500)
                if fault is None or fault == 'no-wasm':
                    self.directory = outer.root
                    return super().do_GET()
                body = open(os.path.join(outer.root, name), 'rb').read()
                body = {'truncated': body[:len(body) // 2], 'garbled': body[:-64] + bytes(64),
                        'portal': PORTAL, 'other': OTHER_WASM}[fault]
                self.send_response(200)
                self.send_header('Content-Type', 'text/html' if fault == 'portal' else self.guess_type(name))
                self.send_header('Content-Length', str(len(body)))
                self.end_headers()
                self.wfile.write(body)

        self.paths = []
        # An origin of its own: a port no server of this run had, whose
        # browser storage would be another test's.
        while True:
            self.httpd = http.server.ThreadingHTTPServer(('127.0.0.1', 0), functools.partial(Handler, directory=root))
            if self.httpd.server_address[1] not in PORTS:
                break
            self.httpd.server_close()
        PORTS.add(self.httpd.server_address[1])
        self.httpd.daemon_threads = True
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()
        self.url = 'http://127.0.0.1:%d/' % self.httpd.server_address[1]

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


work = tempfile.mkdtemp()
web = os.path.join(source, 'app', 'web')


def made_release(letter, marks, worker):
    """A copy of release A with marks appended to its files, made a release
    of its own with the worker's template; returns its folder."""
    folder = os.path.join(work, letter)
    shutil.copytree(site, folder)
    for file, mark in marks.items():
        with open(os.path.join(folder, file), 'a') as f:
            f.write(mark)
    subprocess.run([cmake, '-DSITE=' + folder, '-DPAGE=' + page_template, '-DWORKER=' + worker,
                    '-P', os.path.join(web, 'release.cmake')], check=True)
    return folder


# Release B: A with a mark in its style sheet and its script.
b = made_release('b', {'vesk.css': '\n.release-b {}\n', 'vesk.js': '\nself.veskMark = "B";\n'},
                 os.path.join(web, 'sw.js.in'))
# Release H: A with a mark of its own, whose worker says that it takes the
# waiting release but never does, as a browser that holds its switch back.
template = open(os.path.join(web, 'sw.js.in')).read()
held = template.replace('if (taking) self.skipWaiting();', '')
assert held != template
with open(os.path.join(work, 'sw-held.js.in'), 'w') as f:
    f.write(held)
h = made_release('h', {'vesk.css': '\n.release-h {}\n'}, os.path.join(work, 'sw-held.js.in'))
# Release M: A with a mark of its own, whose worker serves A's page: as a
# page of A loaded while M took it over, the rest of it M's.
m = made_release('m', {'vesk.css': '\n.release-m {}\n'}, os.path.join(web, 'sw.js.in'))


def page_sha(folder):
    with open(os.path.join(folder, 'index.html'), 'rb') as f:
        return hashlib.sha256(f.read()).hexdigest()


with open(os.path.join(m, 'sw.js')) as f:
    worker_m = f.read()
assert page_sha(m) in worker_m
with open(os.path.join(m, 'sw.js'), 'w') as f:
    f.write(worker_m.replace(page_sha(m), page_sha(site)))
shutil.copy(os.path.join(site, 'index.html'), os.path.join(m, 'index.html'))
release = {os.path.basename(d): open(os.path.join(d, 'index.html')).read().split(
    'name="vesk-release" content="')[1][:16] for d in (site, b, h)}
release['a'] = release.pop(os.path.basename(site))

page = engine(name)
js = page.js


def until(test, seconds):
    if not wait_for(test, seconds):
        raise TimeoutError


def polled(body, *arguments):
    """A look at a page that may be loading itself again (it does when it
    takes a release before its program starts): a look cut short by the
    load counts as nothing seen yet."""
    driver = getattr(page, 'driver', None)
    if driver:
        driver.set_script_timeout(3)
    try:
        return js(body, *arguments)
    except Exception:  # the engine's word for a document that went away
        return None
    finally:
        if driver:
            driver.set_script_timeout(30)


# The states of the site's workers, installing, waiting and active, for a
# failure to tell (a script's expression).
WORKERS = ("await navigator.serviceWorker.getRegistration()"
           ".then((r) => r && [r.installing, r.waiting, r.active].map((w) => w && w.state))")


def load(url, seconds=10):
    """Loads the page; returns what it shows: the release, whether it is B's
    script and style sheet, and the results after Enter on 5; or the line in
    the window's place."""
    started = time.monotonic()
    page.get(url)
    said = ("const e = document.getElementById('ended') || document.getElementById('failure');"
            "return e && getComputedStyle(e).visibility === 'visible' && e.textContent")
    if not wait_for(lambda: polled("const w = document.getElementById('frmMain'); return w !== null && !w.hidden")
                    or polled(said), seconds):
        raise TimeoutError(js("""return ['no window', document.readyState,
                    document.querySelector('meta[name=vesk-release]').content,
                    performance.getEntriesByType('mark').map((m) => m.name), await caches.keys(), %s]""" % WORKERS))
    took = time.monotonic() - started
    ended = js(said)
    if ended:
        return ended, took
    return at_work(), took


def at_work():
    """What the open page shows: its release, whether it is B's script and
    style sheet, and the results after Enter on 5."""
    return js("""const box = document.querySelector('#frmMain [data-control=txtVesk]');
        box.value = '5';
        box.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', bubbles: true, cancelable: true}));
        const b = [...document.styleSheets].some((s) => [...s.cssRules].some((r) => r.selectorText === '.release-b'));
        return [document.querySelector('meta[name=vesk-release]').content, self.veskMark === 'B' && b,
                document.querySelector('#frmMain [data-control=lblLight]').textContent]""")


def look(done):
    """Has the browser look for a new release (as the page does at every
    load) and returns once that look has ended (the worker's script
    compared, and a new one, if any, installing) and done() holds. Its look
    ends when its update() settles, which is also when a look the page began
    ends: the time it took the server to answer is no guess. Asked again
    after 5 s without it: WebKitGTK, loaded, once let 20 s pass without
    asking the server, a worker installing all along."""
    for _ in range(4):
        # A look under way ends first, its worker installed or not: the
        # browser would join a new one to it. (Its files have 10 s each.)
        wait_for(lambda: polled("""const r = await navigator.serviceWorker.getRegistration();
            return !r || !r.installing"""), 15)
        ended = js("""const r = await navigator.serviceWorker.getRegistration();
            if (!r) return true;
            const late = new Promise((f) => setTimeout(() => f(false), 5000));
            return Promise.race([r.update().then(() => true, () => true), late]);""")
        if ended and wait_for(done, 5):
            return
    raise TimeoutError('the browser did not look for a release: %s' % js('return ' + WORKERS))


def settled(server):
    """Has the browser look for a new release, once it has asked the server
    for the worker's script (at the load before, or now), and waits until
    it has installed what it got, or given up; returns the caches."""
    look(lambda: 'sw.js' in server.asked)
    return js("""const quiet = async () => { const r = await navigator.serviceWorker.getRegistration();
            if (!r || (!r.installing && (!r.active || r.active.state === 'activated'))) return true;
            // (WebKitGTK leaves the worker of a page that loaded while it
            // activated at 'activating' in that page's eyes: once the old
            // caches are gone, its activation has done its work.)
            return !r.installing && !r.waiting && r.active.state === 'activating'
                && (await caches.keys()).filter((n) => n.startsWith('vesk-')).length === 1; };
        for (let tries = 0; !(await quiet()); tries++) {
          if (tries === 150) return ['not settled', %s];
          await new Promise((f) => setTimeout(f, 100));
        }
        return (await caches.keys()).sort();""" % WORKERS)


def shown(name):
    return [release[name], name == 'b', '213.75']


class Releases(Table):
    def test_releases(self):
        """Release A, then B published whole or with a fault, on one origin."""
        server = Server(site)
        self.addCleanup(server.stop)
        load(server.url)
        until(lambda: js('return navigator.serviceWorker.controller !== null'), 10)
        self.row('A installed: shown, one cache', [load(server.url)[0], settled(server)],
                 [shown('a'), ['vesk-' + release['a']]])
        faults = [('a missing vesk.wasm', {'vesk.wasm': 'missing'}), ('a garbled vesk.wasm', {'vesk.wasm': 'garbled'}),
                  ('a truncated vesk.wasm', {'vesk.wasm': 'truncated'}),
                  ('a portal\'s page for everything', {'*': 'portal'}), ('error answers', {'*': 'error'})]
        server.root = b
        for row, fault in faults:
            server.faults, server.asked = fault, []
            first, took = load(server.url)
            kept = settled(server)
            again = load(server.url)[0]
            self.row('B published with %s: A shown within 5 s (%.1f s), and again, A\'s cache kept' % (row, took),
                     [first, again, kept, took < 5], [shown('a'), shown('a'), ['vesk-' + release['a']], True])
        server.faults, server.asked = {}, []
        first = load(server.url)[0]
        settled(server)
        again = load(server.url)[0]
        kept = settled(server)
        self.row('B published whole: shown by the next load, whole, and A\'s cache gone',
                 [first[0] in release.values(), again, kept], [True, shown('b'), ['vesk-' + release['b']]])

        def entries():
            return js('return (await (await caches.open(arguments[0])).keys()).length', 'vesk-' + release['b'])

        self.row('?utm= links: B shown, no new entry',
                 [[load(server.url + '?utm=%d' % i)[0] for i in range(3)], entries()], [[shown('b')] * 3, 8])
        server.faults = {'*': 'hang'}
        said, took = load(server.url)
        self.row('a server that never answers: B shown within 5 s (%.1f s)' % took, [said, took < 5],
                 [shown('b'), True])
        server.stop()
        self.row('offline: B shown', load(server.url)[0], shown('b'))

    def test_failures(self):
        """What the user sees when it cannot start: each on an origin of its own."""
        rows = [('vesk.wasm missing', {'vesk.wasm': 'missing'}, 'one of its files could not be loaded'),
                ('vesk.wasm of another program', {'vesk.wasm': 'other'}, 'two different releases'),
                ('vesk.wasm truncated', {'vesk.wasm': 'truncated'}, 'one of its files is damaged'),
                ('vesk.js missing', {'vesk.js': 'missing'}, 'its program did not arrive'),
                ('WebAssembly refused by the host\'s policy', {'*': 'no-wasm'}, 'does not allow WebAssembly')]
        for row, fault, reason in rows:
            server = Server(site)
            server.faults = fault
            said = load(server.url, 15)[0]
            server.stop()
            with self.subTest('%s: "could not start: ... %s", and a way to try again' % (row, reason)):
                self.assertIsInstance(said, str)
                for part in ('could not start', reason, 'Try again'):
                    self.assertIn(part, said)
        said = str(load('file://' + os.path.abspath(site) + '/index.html', 15)[0])
        with self.subTest('opened as a file: says it must be served, and how'):
            self.assertIn('must be served', said)
            self.assertIn('scripts/web.sh', said)


def waiting():
    return js("const r = await navigator.serviceWorker.getRegistration(); return !!(r && r.waiting)")


OFFER = 'A new version of Vesk Calculator is ready. Use it now'


def offered():
    return js("const u = document.getElementById('update'); return u && u.textContent")


def new_release(server):
    """The browser looks for a new release (as the page itself does now and
    then, and at every load); returns once one waits, installed."""
    look(waiting)
    return time.monotonic()


class Updates(Table):
    def installed(self):
        """A server of release A, visited once: A installed, in use, and
        settled; the server stops with the test."""
        server = Server(site)
        self.addCleanup(server.stop)
        load(server.url)
        until(lambda: js('return navigator.serviceWorker.controller !== null'), 10)
        settled(server)
        return server

    def test_offered(self):
        """Release B published while A is open: offered, never forced."""
        server = self.installed()
        server.root = b
        installed = new_release(server)
        line = wait_for(offered, 10)
        took = time.monotonic() - installed
        self.row('B offered within 10 s of its worker installing (%.1f s), in a line outside the window' % took,
                 [took < 10, line, js("return document.getElementById('update').closest('.window')")],
                 [True, OFFER, None])
        time.sleep(2)
        self.row('not chosen: A stays, at work', at_work(), shown('a'))
        js("document.querySelector('#update button').click()")
        until(lambda: polled("const m = document.querySelector('meta[name=vesk-release]');"
                         "const w = document.getElementById('frmMain');"
                         "return m && m.content === arguments[0] && w !== null && !w.hidden", release['b']), 10)
        self.row('chosen: B shown, at work', at_work(), shown('b'))

    def test_opened_after_arrival(self):
        """An app opened again after B has arrived (installed, waiting) shows B."""
        server = self.installed()
        server.root = b
        new_release(server)
        page.get('about:blank')
        self.row('opened again: B', load(server.url)[0], shown('b'))

    def test_switch_held(self):
        """The page loaded again after H has arrived, where the browser holds
        back its switch to H: it loads again once, then starts on A, soon,
        and offers H."""
        server = self.installed()
        server.root = h
        new_release(server)
        said, took = load(server.url)  # (from A's page: no switch as it goes)
        self.row('held: A at work within 7 s (%.1f s), after loading once again' % took,
                 [said, took < 7, js("return [performance.getEntriesByType('navigation')[0].type,"
                                     "performance.getEntriesByName('vesk-switch-held').length]")],
                 [shown('a'), True, ['reload', 1]])
        self.row('held: H offered', wait_for(offered, 10), OFFER)

    def test_served_by_another(self):
        """A page served by the worker of another release, which took it over
        as it loaded: it loads again, once, and then starts as it is; and so
        again when it is opened again at once."""
        server = Server(m)
        self.addCleanup(server.stop)
        load(server.url)
        until(lambda: js('return navigator.serviceWorker.controller !== null'), 10)
        # A's cache, as it still is while M takes over.
        js('await caches.open(arguments[0])', 'vesk-' + release['a'])
        # Opened again at once, the load before does not keep it from
        # loading again.
        for row in ('loaded again once, then at work', 'opened again at once: loaded again once, then at work'):
            said = load(server.url)[0]
            self.row(row, [said, js("return performance.getEntriesByType('navigation')[0].type")],
                     [shown('a'), 'reload'])

    def test_slow_link(self):
        """A first visit over 50 kbit/s with 600 ms before each answer: the
        progress comes before the window, and no failure at all."""
        server = Server(site)
        self.addCleanup(server.stop)
        server.rate, server.latency = 50_000 / 8, 0.6
        said, took = load(server.url, 90)
        marks = js("return performance.getEntriesByType('mark').map((m) => [m.name, Math.round(m.startTime)])")
        names = [m[0] for m in marks]
        print('  50 kbit/s: %s, the window after %.1f s' % (marks, took))
        self.row('the window at work after %.1f s, progress shown first, no failure shown' % took,
                 [said, 'vesk-progress' in names and 'vesk-shown' in names
                  and names.index('vesk-progress') < names.index('vesk-shown'), 'vesk-failed' in names],
                 [shown('a'), True, False])

    def test_downloads(self):
        """Each file of a release downloaded once per load: the page's own
        requests (by address, with its ?v= marks) once each; on a first visit
        the worker's install once more; on the next load nothing but the
        worker's script."""
        server = self.installed()
        time.sleep(1)
        counts = {}
        for path in server.paths:
            counts[path] = counts.get(path, 0) + 1
        self.row('first visit: no address asked more than twice (the page, then the worker\'s install)',
                 sorted(p for p, n in counts.items() if n > 2), [])
        self.row('first visit: the program once by the page, once by the worker',
                 sorted(p.split('=')[0] for p in server.paths if p.startswith('/vesk.wasm')),
                 ['/vesk.wasm', '/vesk.wasm?v'])
        server.paths = []
        load(server.url)
        wait_for(lambda: '/sw.js' in server.paths, 10)
        time.sleep(1)
        self.row('the next load: only the worker\'s script', sorted(set(server.paths)), ['/sw.js'])

    def test_not_stored(self):
        """A browser that will not store the site (its storage refused): the
        page works online, downloads each file once per load, and says in
        one line that it cannot work offline."""
        global page, js
        server = Server(site)
        self.addCleanup(server.stop)
        if name == 'chromium':
            page.cdp('Storage.overrideQuotaForOrigin', {'origin': server.url.rstrip('/'), 'quotaSize': 1000})  # (0 would end the override)
        else:  # Firefox: a profile whose storage holds 100 KB
            page.quit()
            atexit.unregister(page.quit)
            page = engine(name, prefs={'dom.quotaManager.temporaryStorage.fixedLimit': 100})
            js = page.js
        # (A first visit may find out only when the worker's install fails:
        # it has fetched each file once more by then.)
        for visit, most in (('first', 2), ('second', 1)):
            server.paths = []
            work = load(server.url)[0]
            time.sleep(2)
            line = js("const l = document.getElementById('not-stored'); return l && l.textContent.trim()")
            more = sorted(p for p in set(server.paths) if server.paths.count(p) > most)
            self.row('%s visit: at work online, each file at most %d times, and the line' % (visit, most),
                     [work, more, line],
                     [shown('a'), [], 'Vesk Calculator cannot work offline here: this browser will not store it.'])


try:
    tests = [Releases('test_releases'), Releases('test_failures'), Updates('test_offered'),
             Updates('test_opened_after_arrival'), Updates('test_switch_held'), Updates('test_served_by_another'),
             Updates('test_slow_link'),
             Updates('test_downloads')]
    # (WebKitGTK's browser has no setting of its storage's size.)
    if name != 'webkit':
        tests.append(Updates('test_not_stored'))
    run(tests, name)
finally:
    shutil.rmtree(work)
