# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# The program in its users' languages. po/ holds a catalog for each language
# that po/LINGUAS lists; each is checked and compiled by msgfmt (nothing
# untranslated or fuzzy ships, every access key is one) and made by
# make_catalogs into what each program carries:
#   vesk_catalogs(TARGET CONTEXT...)  the C++ table of those places' texts
#   VESK_CATALOG_FILES                TAG=FILE.mo for each language, for
#                                     make_catalogs's other outputs
#   VESK_LANGUAGES                    the tags
# and `cmake --build BUILD --target update-po` extracts every text anew with
# xgettext and merges it into each catalog.
find_program(VESK_MSGFMT msgfmt REQUIRED)
set(VESK_PO ${PROJECT_SOURCE_DIR}/po)
file(READ ${VESK_PO}/LINGUAS linguas)
string(REGEX REPLACE "#[^\n]*" "" linguas "${linguas}")
string(REGEX MATCHALL "[A-Za-z_@]+" VESK_LANGUAGES "${linguas}")
set(VESK_MO_DIR ${PROJECT_BINARY_DIR}/po)
set(VESK_CATALOG_FILES)
set(VESK_MO_FILES)
foreach(tag ${VESK_LANGUAGES})
    set(mo ${VESK_MO_DIR}/${tag}.mo)
    add_custom_command(OUTPUT ${mo}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${VESK_MO_DIR}
        COMMAND ${VESK_MSGFMT} --check --check-accelerators=& -o ${mo} ${VESK_PO}/${tag}.po
        DEPENDS ${VESK_PO}/${tag}.po
        COMMENT "Checking and compiling the ${tag} catalog"
        VERBATIM)
    list(APPEND VESK_MO_FILES ${mo})
    list(APPEND VESK_CATALOG_FILES ${tag}=${mo})
endforeach()
add_custom_target(catalogs ALL DEPENDS ${VESK_MO_FILES})

function(vesk_catalogs target)
    string(JOIN "," contexts ${ARGN})
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_catalogs.cpp)
    add_custom_command(OUTPUT ${out}
        COMMAND ${VESK_MAKE_CATALOGS} --cpp ${out} "${contexts}" ${VESK_CATALOG_FILES}
        DEPENDS host_tools ${VESK_MAKE_CATALOGS} ${VESK_MO_FILES}
        COMMENT "Making ${target}'s translations"
        VERBATIM)
    target_sources(${target} PRIVATE ${out})
    add_dependencies(${target} catalogs)
endfunction()

# The texts extracted anew and merged into every catalog (a maintainer's
# step, run when the texts change; the catalogs are then translated).
find_program(VESK_XGETTEXT xgettext)
find_program(VESK_MSGMERGE msgmerge)
if(VESK_XGETTEXT AND VESK_MSGMERGE)
    set(pot ${VESK_MO_DIR}/vesk.pot)
    set(merge)
    foreach(tag ${VESK_LANGUAGES})
        list(APPEND merge COMMAND ${VESK_MSGMERGE} --quiet --update --backup=none
            --no-fuzzy-matching ${VESK_PO}/${tag}.po ${pot})
    endforeach()
    set(options --from-code=UTF-8 --add-comments=TRANSLATORS: --sort-by-file --package-name=vesk
        --package-version=${PROJECT_VERSION} --msgid-bugs-address=quarvane@example.org)
    add_custom_target(update-po
        COMMAND ${CMAKE_COMMAND} -E make_directory ${VESK_MO_DIR}
        COMMAND ${VESK_XGETTEXT} ${options} --keyword= --keyword=NC_:1c,2 --keyword=tr:1c,2
            --files-from=po/POTFILES.in -o ${pot}
        COMMAND ${VESK_XGETTEXT} ${options} --join-existing -L Desktop
            packaging/${VESK_APP_ID}.desktop -o ${pot}
        COMMAND ${VESK_XGETTEXT} ${options} --join-existing --its=/usr/share/gettext/its/metainfo.its
            packaging/${VESK_APP_ID}.metainfo.xml.in -o ${pot}
        ${merge}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        COMMENT "Extracting the texts and merging them into po/"
        VERBATIM)
endif()
