#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
"""Releases of the site and what the user sees when the program cannot start,
in one browser engine (chromium, firefox or webkit). A server on 127.0.0.1 serves release A (the build's),
then release B (the same files with a mark in the style sheet and the script,
made a release again), with faults on demand: a file missing, answered with
an error, truncated or garbled, a captive portal's page for everything, or no
answer at all; and a page whose policy refuses WebAssembly.

Usage: release_test.py ENGINE SITE_DIR CMAKE SOURCE_DIR PAGE_TEMPLATE
(PAGE_TEMPLATE: the page the build filled in, index.html.in in its app/web)
"""
import functools
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


class Server:
    """Serves a release folder; faults maps a file's name (or '*') to a fault."""

    def __init__(self, root):
        self.root, self.faults, self.asked = root, {}, []
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

            def do_GET(self):
                name = self.path.split('?')[0].lstrip('/') or 'index.html'
                outer.asked.append(name)
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

        self.httpd = http.server.ThreadingHTTPServer(('127.0.0.1', 0), functools.partial(Handler, directory=root))
        self.httpd.daemon_threads = True
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()
        self.url = 'http://127.0.0.1:%d/' % self.httpd.server_address[1]

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


# Release B: A with a mark in its style sheet and its script.
work = tempfile.mkdtemp()
b = os.path.join(work, 'b')
shutil.copytree(site, b)
with open(os.path.join(b, 'vesk.css'), 'a') as f:
    f.write('\n.release-b {}\n')
with open(os.path.join(b, 'vesk.js'), 'a') as f:
    f.write('\nself.veskMark = "B";\n')
web = os.path.join(source, 'app', 'web')
subprocess.run([cmake, '-DSITE=' + b, '-DPAGE=' + page_template,
                '-DWORKER=' + os.path.join(web, 'sw.js.in'), '-P', os.path.join(web, 'release.cmake')], check=True)
release = {os.path.basename(d): open(os.path.join(d, 'index.html')).read().split(
    'name="vesk-release" content="')[1][:16] for d in (site, b)}
release['a'] = release.pop(os.path.basename(site))

page = engine(name)
js = page.js


def until(test, seconds):
    if not wait_for(test, seconds):
        raise TimeoutError


def load(url, seconds=10):
    """Loads the page; returns what it shows: the release, whether it is B's
    script and style sheet, and the results after Enter on 5; or the line in
    the window's place."""
    started = time.monotonic()
    page.get(url)
    said = ("const e = document.getElementById('ended') || document.getElementById('failure');"
            "return e && getComputedStyle(e).visibility === 'visible' && e.textContent")
    until(lambda: js("const w = document.getElementById('frmMain'); return w !== null && !w.hidden")
          or js(said), seconds)
    took = time.monotonic() - started
    ended = js(said)
    if ended:
        return ended, took
    return js("""const box = document.querySelector('#frmMain [data-control=txtVesk]');
        box.value = '5';
        box.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', bubbles: true, cancelable: true}));
        const b = [...document.styleSheets].some((s) => [...s.cssRules].some((r) => r.selectorText === '.release-b'));
        return [document.querySelector('meta[name=vesk-release]').content, self.veskMark === 'B' && b,
                document.querySelector('#frmMain [data-control=lblLight]').textContent]"""), took


def settled(server):
    """Waits until the browser has asked for the worker's script (it does on
    every load) and installed what it got, or given up; returns the caches."""
    until(lambda: 'sw.js' in server.asked, 10)
    time.sleep(0.5)
    return js("""const quiet = async () => { const r = await navigator.serviceWorker.getRegistration();
            return !r || (!r.installing && !r.waiting && (!r.active || r.active.state === 'activated')); };
        while (!(await quiet())) await new Promise((f) => setTimeout(f, 100));
        return (await caches.keys()).sort();""")


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
        kept = settled(server)
        self.row('B published whole: shown by the second load, whole, and A\'s cache gone',
                 [first[0] in release.values(), load(server.url)[0], kept],
                 [True, shown('b'), ['vesk-' + release['b']]])

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


try:
    run([Releases('test_releases'), Releases('test_failures')], name)
finally:
    shutil.rmtree(work)
