# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Sourced by the test scripts: named checks, counted, and a wait. A script
# that runs its checks under several set-ups names the one in check_label.
passes=0
failures=0

check() { # check NAME COMMAND...: PASS or FAIL, counted
    local name=$1
    shift
    if "$@"; then
        echo "PASS   $name${check_label:+ [$check_label]}"
        passes=$((passes + 1))
    else
        echo "FAIL   $name${check_label:+ [$check_label]}"
        failures=$((failures + 1))
    fi
}

soon() { # soon COMMAND...: true once COMMAND is, within five seconds
    for _ in $(seq 100); do "$@" && return 0; sleep 0.05; done
    return 1
}

summary() { # the counts; fails when any check failed
    echo "$passes passed, $failures failed"
    [ "$failures" = 0 ]
}
