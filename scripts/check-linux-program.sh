#!/usr/bin/env bash
# Checks that a Linux program runs on any GTK 3 desktop: every shared library
# it needs is on the list in scripts/desktop-libraries.txt, and it asks for no
# glibc symbol version newer than 2.35 (Ubuntu 22.04 LTS, Linux Mint 21).
# Names each fault; exits non-zero when there is one.
#
#   scripts/check-linux-program.sh <program> [library list]
set -euo pipefail
program=${1:?usage: check-linux-program.sh <program> [library list]}
list=${2:-$(dirname "$0")/desktop-libraries.txt}
newest_glibc=2.35

dynamic=$(readelf --dynamic --wide "$program")
# The version needs: one "Name: GLIBC_2.34" line per version asked for.
versions=$(readelf --version-info --wide "$program")

faults=0
allowed=$(sed -e 's/#.*//' "$list" | awk 'NF {print $1}')
needed=$(sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p' <<<"$dynamic")
for library in $needed; do
  if ! grep -qxF "$library" <<<"$allowed"; then
    echo "needs $library, which is not on the list of libraries every GTK 3 desktop has" >&2
    faults=$((faults + 1))
  fi
done

for version in $(sed -n 's/.*Name: GLIBC_\([0-9][0-9.]*\).*/\1/p' <<<"$versions" | sort -uV); do
  if [ "$(printf '%s\n' "$version" "$newest_glibc" | sort -V | tail -1)" != "$newest_glibc" ]; then
    symbols=$(objdump -T "$program" | awk -v v="GLIBC_$version" '$0 ~ v"[ )]" {print $NF}' |
      sort -u | paste -sd' ')
    echo "asks for GLIBC_$version, newer than $newest_glibc: $symbols" >&2
    faults=$((faults + 1))
  fi
done

if [ "$faults" -gt 0 ]; then
  echo "$program: $faults fault(s)" >&2
  exit 1
fi
highest=$(sed -n 's/.*Name: GLIBC_\([0-9][0-9.]*\).*/\1/p' <<<"$versions" | sort -V | tail -1)
echo "$program: needs only listed libraries ($(paste -sd' ' <<<"$needed")); glibc up to ${highest:-none}"
