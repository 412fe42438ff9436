# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Makes a folder of the site's files one release: index.html asks for its
# style sheet, script and WebAssembly by addresses that carry their contents'
# hash, so that no cache can pair an old file with a new page, and the
# service worker carries the release's name and every file's SHA-256, so that
# it installs a release only when all of it has arrived intact.
# Usage: cmake -DSITE=DIR -DPAGE=index.html.in -DWORKER=sw.js.in -P release.cmake
# (PAGE: the page with the tables' facts filled in, as site.cmake writes it)
include(${CMAKE_CURRENT_LIST_DIR}/site_files.cmake)
set(files ${VESK_RELEASE_FILES})
foreach(name ${files})
    if(NOT EXISTS ${SITE}/${name})
        message(FATAL_ERROR "The site has no ${name}: a release is made of all its files")
    endif()
    file(SHA256 ${SITE}/${name} sha_${name})
    string(SUBSTRING ${sha_${name}} 0 16 short)
    set(url_${name} "${name}?v=${short}")
endforeach()
set(VESK_CSS ${url_vesk.css})
set(VESK_JS ${url_vesk.js})
set(VESK_WASM ${url_vesk.wasm})
# The page's own hash cannot be in it: the release is named from the other
# files, and the page is then checked like them.
set(listing "")
foreach(name ${files})
    string(APPEND listing "${name} ${sha_${name}}\n")
endforeach()
string(SHA256 whole "${listing}")
string(SUBSTRING ${whole} 0 16 VESK_RELEASE)
configure_file(${PAGE} ${SITE}/index.html @ONLY)
file(SHA256 ${SITE}/index.html sha_index.html)
set(VESK_FILES "")
foreach(name index.html ${files})
    string(APPEND VESK_FILES "\n  '${name}': '${sha_${name}}',")
endforeach()
configure_file(${WORKER} ${SITE}/sw.js @ONLY)
