#!/bin/sh
# lintian on the package that scripts/package left in the build folder: no error may be reported.
# Skipped (exit 77) when no package has been built or lintian is not installed.
build=$1
set -- "$build"/lumivox_*_amd64.deb
if [ ! -f "$1" ]; then
    echo "no package in $build: run scripts/package first"
    exit 77
fi
if ! command -v lintian >/dev/null; then
    echo "lintian is not installed"
    exit 77
fi
exec lintian --fail-on error --no-tag-display-limit "$1"
