#!/bin/sh
# UTF-8 text file to UTF-16 LE with a byte-order mark and CRLF line ends.
set -e
printf '\377\376' > "$2.tmp"
sed 's/\r$//; s/$/\r/' "$1" | iconv -f UTF-8 -t UTF-16LE >> "$2.tmp"
mv "$2.tmp" "$2"
