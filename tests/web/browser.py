# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
"""What the page's test and its benchmark share: a static server on
127.0.0.1, with connections kept as on any real host, and one headless
Chromium driven through WebDriver."""
import atexit
import functools
import http.server
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


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


def chromium():
    """A headless Chromium, quit when the program ends."""
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for argument in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage',
                     '--window-size=800,600', '--no-first-run', '--disable-background-networking'):
        options.add_argument(argument)
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
    driver.set_window_size(800, 600)
    atexit.register(driver.quit)  # however the run ends
    return driver
