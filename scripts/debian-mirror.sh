#!/usr/bin/env bash
# Prints the Debian mirror the host's apt uses (its first source that is not
# the security archive), from sources.list or the deb822 .sources files. Only
# reads the host's apt configuration.
set -euo pipefail
mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '
  /^URIs:/ && $2 !~ /security/ { print $2; exit }
  /^deb[ \t]/ && $0 !~ /security/ {
    for (i = 2; i <= NF; i++) if ($i ~ /:\/\//) { print $i; exit }
  }' || true)
echo "${mirror:-http://deb.debian.org/debian}"
