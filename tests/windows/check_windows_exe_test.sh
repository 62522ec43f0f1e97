#!/usr/bin/env bash
# scripts/check-windows-exe.py must fail a program with every fault it looks
# for, and name each one: a tiny i686 program that imports a Vista function,
# asks for subsystem 6.0, is terminal-server aware, has an amd64 manifest with
# an execution level, and an installer's file name and description.
set -euo pipefail
. "$(dirname "$0")/../support/expect_faults.sh"
check=$(realpath "$(dirname "$0")/../../scripts/check-windows-exe.py")
in_scratch_folder

cat >bad.c <<'EOF'
#define _WIN32_WINNT 0x0600
#include <windows.h>
int WINAPI WinMain(HINSTANCE i, HINSTANCE p, LPSTR c, int s) { return (int)GetTickCount64(); }
EOF
cat >bad.manifest <<'EOF'
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <assemblyIdentity type="win32" name="Bad" version="1.0.0.0" processorArchitecture="amd64"/>
  <trustInfo xmlns="urn:schemas-microsoft-com:asm.v3"><security><requestedPrivileges>
    <requestedExecutionLevel level="asInvoker" uiAccess="false"/>
  </requestedPrivileges></security></trustInfo>
</assembly>
EOF
cat >bad.rc <<'EOF'
1 24 "bad.manifest"
1 VERSIONINFO
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040904b0"
    BEGIN
      VALUE "FileDescription", "ZOLT Setup"
    END
  END
END
EOF
i686-w64-mingw32-windres bad.rc -O coff -o bad.res
i686-w64-mingw32-gcc -mwindows bad.c bad.res -o patch.exe \
  -Wl,--major-subsystem-version,6,--minor-subsystem-version,0,--tsaware

python3 "$check" patch.exe >out 2>&1 && status=0 || status=$?
expect_faults check-windows-exe.py "$status" 'KERNEL32.dll!GetTickCount64' 'subsystem version 6.0' 'terminal-server aware' \
  'level "asInvoker"' 'processorArchitecture "amd64"' 'file name "patch.exe"' 'FileDescription "ZOLT Setup"'
