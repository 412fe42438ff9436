# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# The site's files, besides the page (index.html) and its service worker
# (sw.js), which name the release these make.
set(VESK_RELEASE_FILES vesk.js vesk.wasm vesk.css logo.bmp manifest.webmanifest icon-192.png
    icon-512.png)
