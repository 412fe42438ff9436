# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Writes the site's own files into SITE, beside the program (vesk.js and
# vesk.wasm): the style sheet and the manifest from what the windows' tables
# say (FACTS, a program run by NODE, prints it), the logo and the icons, and
# then the page and its service worker as one release (release.cmake), the
# worker then made smaller by TERSER. The page's template, the tables' facts
# filled in, goes to PAGE_OUT, for a later release made of the same files.
# Usage: cmake -DSITE= -DSOURCE= -DICONS= -DNODE= -DTERSER= -DFACTS= -DPRODUCT= -DPAGE_OUT= -P site.cmake
execute_process(COMMAND ${NODE} ${FACTS} OUTPUT_VARIABLE facts COMMAND_ERROR_IS_FATAL ANY)
cmake_language(EVAL CODE "${facts}")
set(VESK_PRODUCT ${PRODUCT})
# The style sheet as the browser needs it: without its comments and
# indentation (no text of it holds a "/*").
configure_file(${SOURCE}/ui/web/vesk.css.in ${SITE}/vesk.css @ONLY)
execute_process(COMMAND ${NODE} -e "const fs = require('fs'), f = process.argv[1];
fs.writeFileSync(f, fs.readFileSync(f, 'utf8').replace(/\\/\\*[^]*?\\*\\//g, '').replace(/\\s*\\n\\s*/g, '\\n').trim() + '\\n')"
    ${SITE}/vesk.css COMMAND_ERROR_IS_FATAL ANY)
configure_file(${SOURCE}/app/web/manifest.webmanifest.in ${SITE}/manifest.webmanifest @ONLY)
file(COPY ${SOURCE}/assets/logo.bmp ${ICONS}/icon-192.png ${ICONS}/icon-512.png DESTINATION ${SITE})
# The page's first script, written into it (without its notice: the page has
# its own), and its hash, which the page's security policy allows by.
file(READ ${SOURCE}/app/web/start.js VESK_START)
string(REGEX REPLACE "^(//[^\n]*\n)+" "" VESK_START "${VESK_START}")
string(STRIP "${VESK_START}" VESK_START)
execute_process(COMMAND ${NODE} -e
    "process.stdout.write(require('crypto').createHash('sha256').update(process.argv[1]).digest('base64'))"
    "${VESK_START}" OUTPUT_VARIABLE hash COMMAND_ERROR_IS_FATAL ANY)
set(VESK_START_HASH "sha256-${hash}")
# The release's own marks stay for release.cmake to fill in.
foreach(mark VESK_RELEASE VESK_CSS VESK_JS VESK_WASM)
    set(${mark} "@${mark}@")
endforeach()
configure_file(${SOURCE}/app/web/index.html.in ${PAGE_OUT} @ONLY)
set(PAGE ${PAGE_OUT})
set(WORKER ${SOURCE}/app/web/sw.js.in)
include(${CMAKE_CURRENT_LIST_DIR}/release.cmake)
# The worker is made smaller once the release's names are in it (its marks
# are no script until then). The page does not list its hash.
execute_process(COMMAND ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs ${TERSER} ${SITE}/sw.js
    --compress passes=2 --mangle --toplevel -o ${SITE}/sw.js COMMAND_ERROR_IS_FATAL ANY)
