# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Sourced by the build scripts: where CCACHE_DIR names a cache and ccache is
# installed, sets `launchers` to the CMake arguments that compile through
# it, and has it find what a clone in another folder compiled (the paths
# under the clone are written relative to it, and the objects do not
# depend on them: the build maps them away, and Qt's test-case folders are
# only for test data files, which no test looks up).
launchers=()
if [ -n "${CCACHE_DIR:-}" ] && command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true
    export CCACHE_IGNOREOPTIONS='-DQT_TESTCASE_BUILDDIR=* -DQT_TESTCASE_SOURCEDIR=*'
    launchers=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
