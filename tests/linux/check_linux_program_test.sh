#!/usr/bin/env bash
# scripts/check-linux-program.sh must fail a program with each fault it looks
# for, and name it: a tiny program that needs a library off the list (one
# built here) and calls arc4random, which glibc has since 2.36.
set -euo pipefail
check=$(realpath "$(dirname "$0")/../../scripts/check-linux-program.sh")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

echo 'int kvn_off_the_list(void) { return 1; }' >lib.c
gcc -shared -fPIC -Wl,-soname,libkvn_off_the_list.so.1 lib.c -o libkvn_off_the_list.so.1
cat >bad.c <<'EOF_C'
#include <stdlib.h>
int kvn_off_the_list(void);
int main(void) { return (int)(arc4random() & 1) + kvn_off_the_list(); }
EOF_C
gcc bad.c ./libkvn_off_the_list.so.1 -o bad

if "$check" bad >out 2>&1; then
  echo "check-linux-program.sh passed a bad program:" >&2
  cat out >&2
  exit 1
fi
faults=('needs libkvn_off_the_list.so.1' 'GLIBC_2.36, newer than 2.35: arc4random')
for fault in "${faults[@]}"; do
  if ! grep -qF "$fault" out; then
    echo "check-linux-program.sh did not name the fault $fault:" >&2
    cat out >&2
    exit 1
  fi
done
echo "check-linux-program.sh names both faults of a bad program"
