# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Read by CPack as it packages. The package's timestamps come from
# SOURCE_DATE_EPOCH, and where that is unset, from the time of the last commit
# (of a tree without its history, from the release's own date), so that two
# builds of one commit give the same bytes.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git -C "${CPACK_VESK_SOURCE_DIR}" log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET
                    RESULT_VARIABLE failed)
    if(failed OR NOT epoch)
        set(epoch ${CPACK_VESK_RELEASE_EPOCH})
    endif()
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()
