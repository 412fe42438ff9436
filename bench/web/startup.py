#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
"""Start-up of the web page side by side in one headless Chromium: from the
start of navigation until the main window is shown, against a bare page that
shows one label from a one-function WebAssembly module; loads alternate, with
the browser's cache on and no service worker, as on a second visit. Prints
the medians, their ratio, where the page's time goes, and what the site sends,
gzip -9.

Usage: bench/web/startup.py SITE_DIR [RUNS]
"""
import gzip
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '../../tests/web'))
from browser import chromium, serve  # noqa: E402

site = sys.argv[1]
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
here = os.path.dirname(os.path.abspath(__file__))
root = tempfile.mkdtemp()
shutil.copytree(site, os.path.join(root, 'site'))
bare = os.path.join(root, 'bare')
os.mkdir(bare)
for name in ('bare.html', 'bare.js'):
    shutil.copy(os.path.join(here, name), bare)
subprocess.run(['emcc', '-O2', '--no-entry', '-o', os.path.join(bare, 'bare.wasm'),
                os.path.join(here, 'bare.c')], check=True,
               env={**os.environ, 'NODE_PATH': '/usr/share/nodejs'})


server, base = serve(root)
driver = chromium()
# No service worker: the page's own start-up, not its cache's.
driver.execute_cdp_cmd('Network.enable', {})
driver.execute_cdp_cmd('Network.setBypassServiceWorker', {'bypass': True})

SHOWN = """return performance.getEntriesByName('vesk-shown').length
    ? performance.getEntriesByName('vesk-shown')[0].startTime : null"""
PARTS = """const n = performance.getEntriesByType('navigation')[0];
    const r = (f) => Math.max(0, ...performance.getEntriesByType('resource')
        .filter((e) => new URL(e.name).pathname.endsWith(f)).map((e) => e.responseEnd));
    return [n.responseEnd, n.domInteractive, r('vesk.wasm')]"""


def load(page):
    driver.get(base + page)
    WebDriverWait(driver, 10).until(lambda d: d.execute_script(SHOWN) is not None)
    return driver.execute_script(SHOWN), driver.execute_script(PARTS)


times = {'site/': [], 'bare/bare.html': []}
parts = []
for page in times:
    load(page)  # warm the cache
for _ in range(runs):
    for page in times:
        shown, p = load(page)
        times[page].append(shown)
        if page == 'site/':
            parts.append(p)
server.shutdown()

page, bare_ms = statistics.median(times['site/']), statistics.median(times['bare/bare.html'])
print('start-up, navigation start to shown, median of %d:' % runs)
print('  calculator  %6.1f ms' % page)
print('  bare page   %6.1f ms' % bare_ms)
print('  ratio       %6.2fx' % (page / bare_ms))
print('the calculator\'s time, medians: document %.1f ms, parsed %.1f ms, vesk.wasm in %.1f ms' %
      tuple(statistics.median(p[i] for p in parts) for i in range(3)))
total = 0
print('what the site sends, gzip -9:')
for name in sorted(os.listdir(site)):
    with open(os.path.join(site, name), 'rb') as f:
        size = len(gzip.compress(f.read(), 9))
    total += size
    print('  %-22s %7d bytes' % (name, size))
print('  %-22s %7d bytes (%.1f KB)' % ('in all', total, total / 1024))
shutil.rmtree(root)
