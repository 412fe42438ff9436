#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quarvane <quarvane@example.org>
# SPDX-License-Identifier: MIT
# Runs a command in a network namespace of its own, with only the loopback
# up, so that any request beyond 127.0.0.1 fails; where no namespace can be
# made (no privilege for it), runs it as it is and says so.
# Usage: no_network.sh COMMAND...
if unshare -n true 2>/dev/null; then
    exec unshare -n bash -c 'ip link set lo up && exec "$@"' bash "$@"
fi
echo "no network namespace here: the test runs with the machine's network" >&2
exec "$@"
