#!/bin/sh
# makensis making a 64-bit Unicode installer: the target has to be set before
# the first line of the script CPack writes, which no CPack setting reaches.
exec makensis "-XTarget amd64-unicode" "$@"
