#!/usr/bin/env bash
# `need COMMAND PACKAGE` stops a test with a clear message when COMMAND is missing.
# Sourced by the other scripts here; run as `need.sh PACKAGE COMMAND [ARG...]` it checks
# COMMAND and then runs it.

need() {
    command -v "$1" >/dev/null 2>&1 && return 0
    echo "FAIL: $1 is not installed; it comes with the Debian package $2" \
         "(scripts/tervalo test installs it)" >&2
    exit 1
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    package=$1
    shift
    need "$1" "$package"
    exec "$@"
fi
