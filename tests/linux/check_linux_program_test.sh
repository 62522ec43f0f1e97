#!/usr/bin/env bash
# scripts/check-linux-program.sh must fail a program with each fault it looks
# for, and name it: a tiny program that needs a library off the list (one
# built here) and calls arc4random, which glibc has since 2.36.
set -euo pipefail
. "$(dirname "$0")/../support/expect_faults.sh"
check=$(realpath "$(dirname "$0")/../../scripts/check-linux-program.sh")
in_scratch_folder

echo 'int kvn_off_the_list(void) { return 1; }' >lib.c
gcc -shared -fPIC -Wl,-soname,libkvn_off_the_list.so.1 lib.c -o libkvn_off_the_list.so.1
cat >bad.c <<'EOF_C'
#include <stdlib.h>
int kvn_off_the_list(void);
int main(void) { return (int)(arc4random() & 1) + kvn_off_the_list(); }
EOF_C
gcc bad.c ./libkvn_off_the_list.so.1 -o bad

"$check" bad >out 2>&1 && status=0 || status=$?
expect_faults check-linux-program.sh "$status" 'needs libkvn_off_the_list.so.1' 'GLIBC_2.36, newer than 2.35: arc4random'
