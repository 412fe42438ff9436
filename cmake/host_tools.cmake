# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# The programs a build runs on the machine that builds: the icon maker, the
# catalogs' compiler, and the table of figures and Enter rows that the tests
# hold each platform's program to. A native build makes them among its own targets; a cross build
# (Windows, the web) makes them in a build of their own under host/, with
# this machine's compiler, so that it needs no other build beside it; or,
# given VESK_HOST_TOOLS_DIR, takes those a native build has made already.
# Sets VESK_MAKE_ICONS, VESK_MAKE_CATALOGS, VESK_FIGURES and VESK_ENTER_ROWS,
# the paths a custom command takes them by; the target host_tools makes them.
option(VESK_HOST_TOOLS "Build only the programs another build runs on this machine" OFF)
set(VESK_HOST_TOOLS_DIR "" CACHE PATH
    "A native build of this project whose programs a cross build may run instead of making its own")

if(NOT CMAKE_CROSSCOMPILING)
    add_subdirectory(assets)
    add_executable(make_catalogs po/make_catalogs.cpp)
    target_include_directories(make_catalogs PRIVATE ${PROJECT_SOURCE_DIR})
    add_executable(vesk_figures tests/model/figures_main.cpp)
    target_link_libraries(vesk_figures PRIVATE vesk_model)
    set(VESK_FIGURES ${PROJECT_BINARY_DIR}/figures/figures.tsv)
    set(VESK_ENTER_ROWS ${PROJECT_BINARY_DIR}/figures/enter_rows.tsv)
    add_custom_command(OUTPUT ${VESK_FIGURES} ${VESK_ENTER_ROWS}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/figures
        COMMAND vesk_figures ${VESK_FIGURES} ${VESK_ENTER_ROWS}
        DEPENDS vesk_figures)
    add_custom_target(figures ALL DEPENDS ${VESK_FIGURES})
    add_custom_target(host_tools)
    add_dependencies(host_tools make_icons make_catalogs figures)
    set(VESK_MAKE_ICONS $<TARGET_FILE:make_icons>)
    set(VESK_MAKE_CATALOGS $<TARGET_FILE:make_catalogs>)
elseif(VESK_HOST_TOOLS_DIR)
    # Those of a native build already made (the test command's Linux build).
    set(VESK_MAKE_ICONS ${VESK_HOST_TOOLS_DIR}/assets/make_icons)
    set(VESK_MAKE_CATALOGS ${VESK_HOST_TOOLS_DIR}/make_catalogs)
    set(VESK_FIGURES ${VESK_HOST_TOOLS_DIR}/figures/figures.tsv)
    set(VESK_ENTER_ROWS ${VESK_HOST_TOOLS_DIR}/figures/enter_rows.tsv)
    foreach(made ${VESK_MAKE_ICONS} ${VESK_MAKE_CATALOGS} ${VESK_FIGURES} ${VESK_ENTER_ROWS})
        if(NOT EXISTS ${made})
            message(FATAL_ERROR "VESK_HOST_TOOLS_DIR has no ${made}: build it first")
        endif()
    endforeach()
    add_custom_target(host_tools)
else()
    include(ExternalProject)
    set(host ${PROJECT_BINARY_DIR}/host)
    set(VESK_MAKE_ICONS ${host}/assets/make_icons)
    set(VESK_MAKE_CATALOGS ${host}/make_catalogs)
    set(VESK_FIGURES ${host}/figures/figures.tsv)
    set(VESK_ENTER_ROWS ${host}/figures/enter_rows.tsv)
    find_program(VESK_HOST_CXX NAMES c++ g++ REQUIRED)
    ExternalProject_Add(host_tools
        SOURCE_DIR ${PROJECT_SOURCE_DIR}
        BINARY_DIR ${host}
        CMAKE_ARGS -DVESK_HOST_TOOLS=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
                   -DCMAKE_CXX_COMPILER=${VESK_HOST_CXX} -DVESK_WERROR=${VESK_WERROR}
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON
        BUILD_BYPRODUCTS ${VESK_MAKE_ICONS} ${VESK_MAKE_CATALOGS} ${VESK_FIGURES} ${VESK_ENTER_ROWS}
        USES_TERMINAL_BUILD ON)
endif()
