#!/usr/bin/env python3
"""Checks that a Windows program starts on Windows XP SP3 and that Windows
treats it as the game: a 32-bit x86 PE for subsystem 5.1 or lower that imports
only what XP SP3's DLLs export (tests/windows/xp-exports), with an x86 manifest
that names no execution level (so Windows redirects its writes under
C:\\Windows as it does the game's), not terminal-server aware, and with no
word in its file name or version strings that makes Windows take it for an
installer. Prints one summary line, or every fault and exits 1.

Usage: scripts/check-windows-exe.py <exe>
"""
import os
import struct
import sys
import xml.etree.ElementTree as ET

EXPORTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'windows', 'xp-exports')
INSTALLER_WORDS = ('setup', 'install', 'update', 'patch')
VERSION_FIELDS = ('FileDescription', 'ProductName', 'InternalName', 'OriginalFilename', 'CompanyName')
RT_VERSION, RT_MANIFEST = 16, 24


class PE:
    def __init__(self, data):
        self.data = data
        if data[:2] != b'MZ':
            raise ValueError('no MZ header')
        pe = self.u32(0x3c)
        if data[pe:pe + 4] != b'PE\0\0':
            raise ValueError('no PE signature')
        self.machine, sections, _, _, _, opt_size, _ = struct.unpack_from('<HHIIIHH', data, pe + 4)
        opt = pe + 24
        self.magic = self.u16(opt)
        if self.magic != 0x10b:  # PE32+ has another layout; only the machine check matters then
            return
        self.subsystem_version = (self.u16(opt + 48), self.u16(opt + 50))
        self.dll_characteristics = self.u16(opt + 70)
        dirs = min(self.u32(opt + 92), 16)
        self.directories = [struct.unpack_from('<II', data, opt + 96 + 8 * i) for i in range(dirs)]
        self.sections = [struct.unpack_from('<IIII', data, opt + opt_size + 40 * i + 8)
                         for i in range(sections)]

    def u16(self, offset):
        return struct.unpack_from('<H', self.data, offset)[0]

    def u32(self, offset):
        return struct.unpack_from('<I', self.data, offset)[0]

    def offset(self, rva):
        for vsize, va, raw_size, raw in self.sections:
            if va <= rva < va + max(vsize, raw_size):
                return raw + rva - va
        raise ValueError(f'RVA {rva:#x} is in no section')

    def cstring(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b'\0', start)].decode('ascii')

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def imports(self):
        """{dll: [function name, or '#<ordinal>']}"""
        result = {}
        rva, _ = self.directory(1)
        while rva:
            lookup, _, _, name, first = struct.unpack_from('<IIIII', self.data, self.offset(rva))
            if not name:
                break
            names = result.setdefault(self.cstring(name), [])
            thunk = self.offset(lookup or first)
            while entry := self.u32(thunk):
                names.append(f'#{entry & 0xffff}' if entry & 0x80000000 else self.cstring(entry + 2))
                thunk += 4
            rva += 20
        return result

    def resource(self, type_id, name_id):
        """The data of the first language of a resource, or None."""
        base_rva, _ = self.directory(2)
        if not base_rva:
            return None
        base = self.offset(base_rva)
        entry = base
        for wanted in (type_id, name_id, None):
            named, ids = struct.unpack_from('<HH', self.data, entry + 12)
            entries = [struct.unpack_from('<II', self.data, entry + 16 + 8 * i) for i in range(named + ids)]
            found = [target for ident, target in entries if wanted is None or ident == wanted]
            if not found:
                return None
            entry = base + (found[0] & 0x7fffffff)
        data_rva, size = struct.unpack_from('<II', self.data, entry)
        start = self.offset(data_rva)
        return self.data[start:start + size]


def version_strings(block):
    """The String values of a VS_VERSIONINFO resource, {key: value}."""
    strings = {}

    def walk(offset, depth):
        length, value_length, value_type = struct.unpack_from('<HHH', block, offset)
        key_end = offset + 6
        while block[key_end:key_end + 2] != b'\0\0':
            if key_end >= len(block):
                raise ValueError('version resource key without end')
            key_end += 2
        key = block[offset + 6:key_end].decode('utf-16-le')
        child = (key_end + 2 + 3) & ~3
        end = offset + length
        if depth == 3:  # VS_VERSIONINFO > StringFileInfo > StringTable > String
            strings[key] = block[child:end].decode('utf-16-le').split('\0')[0]
            return
        child = (child + value_length * (2 if value_type else 1) + 3) & ~3
        if depth == 1 and key != 'StringFileInfo':
            return
        while child < end:
            child_length = struct.unpack_from('<H', block, child)[0]
            if not child_length:
                break
            walk(child, depth + 1)
            child = (child + child_length + 3) & ~3

    walk(0, 0)
    return strings


def local(tag):
    return tag.rsplit('}', 1)[-1]


def check_manifest(manifest, faults):
    """Returns the manifest's own processorArchitecture."""
    if manifest is None:
        faults.append('no manifest (resource type 24, id 1)')
        return None
    try:
        root = ET.fromstring(manifest.rstrip(b'\0 \t\r\n'))
    except ET.ParseError as error:
        faults.append(f'manifest is not well-formed XML: {error}')
        return None
    elements = {local(element.tag): element for element in root.iter()}
    found = [tag for tag in ('trustInfo', 'requestedExecutionLevel') if tag in elements]
    if found:
        level = elements.get('requestedExecutionLevel', root).get('level')
        faults.append(f'manifest has {" and ".join(found)}' + (f' (level "{level}")' if level else '')
                      + ': Windows would not redirect its writes as it does the game\'s')
    identity = next((e for e in root if local(e.tag) == 'assemblyIdentity'), None)
    architecture = identity.get('processorArchitecture') if identity is not None else None
    if architecture is None or architecture.lower() != 'x86':
        shown = f'"{architecture}"' if architecture else 'none'
        faults.append(f'manifest\'s own assemblyIdentity has processorArchitecture {shown}, not "x86"')
    return architecture


def check(path):
    with open(path, 'rb') as file:
        pe = PE(file.read())
    faults = []
    if pe.machine != 0x14c or pe.magic != 0x10b:
        return [f'not a 32-bit x86 program (machine {pe.machine:#x}, optional header magic {pe.magic:#x})'], None
    if pe.subsystem_version > (5, 1):
        faults.append('subsystem version %d.%d is above 5.1 (Windows XP)' % pe.subsystem_version)
    if pe.dll_characteristics & 0x8000:
        faults.append('marked terminal-server aware (DllCharacteristics 0x8000)')
    if pe.directory(13)[0]:
        faults.append('has delay-load imports, which this check does not read')

    imports = pe.imports()
    for dll, names in imports.items():
        listed = os.path.join(EXPORTS, dll.lower().removesuffix('.dll') + '.txt')
        if not os.path.exists(listed):
            faults.append(f'imports from {dll}, which has no list of XP SP3 exports in tests/windows/xp-exports')
            continue
        with open(listed) as file:
            exports = set(file.read().split())
        for name in names:
            if name.startswith('#'):
                faults.append(f'imports {dll} ordinal {name[1:]} by number, which cannot be checked')
            elif name not in exports:
                faults.append(f'imports {dll}!{name}, which Windows XP SP3 does not export')

    architecture = check_manifest(pe.resource(RT_MANIFEST, 1), faults)

    texts = {'file name': os.path.basename(path)}
    version = pe.resource(RT_VERSION, None)
    if version:
        strings = version_strings(version)
        texts.update((field, strings[field]) for field in VERSION_FIELDS if field in strings)
    for field, text in texts.items():
        words = [word for word in INSTALLER_WORDS if word in text.lower()]
        if words:
            faults.append(f'{field} "{text}" contains "{words[0]}": Windows would take it for an installer')

    summary = '%s: %d bytes, 32-bit x86, subsystem %d.%d, manifest %s; imports %s' % (
        os.path.basename(path), os.path.getsize(path), *pe.subsystem_version, architecture,
        ', '.join(f'{dll} {len(names)}' for dll, names in sorted(imports.items(), key=lambda i: i[0].lower())))
    return faults, summary


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: check-windows-exe.py <exe>')
    path = sys.argv[1]
    try:
        faults, summary = check(path)
    except OSError as error:
        sys.exit(f'{path}: {error.strerror}')
    except (ValueError, struct.error) as error:
        sys.exit(f'{path}: not a readable PE file ({error})')
    for fault in faults:
        print(f'{path}: {fault}', file=sys.stderr)
    if faults:
        sys.exit(1)
    print(summary)


if __name__ == '__main__':
    main()
