#!/usr/bin/env python3
"""check_binary.py FILE [--report XML] [--manifest] [--exports NAME ...]

Reads the PE headers of a shipped binary and fails when the loader could be
made to map a library from the program's folder: a load-time (or delay-load)
import outside Windows' KnownDLLs, or a load configuration whose
DependentLoadFlags do not restrict imports to the system folder. With
--exports, the binary must export exactly those names. With --manifest, its
manifest must ask for administrator rights without UI access, declare
per-monitor DPI awareness (v2, then v1, then the system DPI) and no common
controls 6. With --report, the
outcome is also written as a GoogleTest-style XML report."""
import os
import struct
import sys
import xml.etree.ElementTree as ElementTree
from xml.sax.saxutils import quoteattr

# HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs on Windows 10
# and 11, lower-cased. A DLL of any other name is searched for beside the program.
KNOWN_DLLS = {
    "advapi32.dll", "clbcatq.dll", "combase.dll", "comdlg32.dll", "coml2.dll", "difxapi.dll",
    "gdi32.dll", "gdiplus.dll", "imagehlp.dll", "imm32.dll", "kernel32.dll", "msctf.dll",
    "msvcrt.dll", "normaliz.dll", "nsi.dll", "ole32.dll", "oleaut32.dll", "psapi.dll",
    "rpcrt4.dll", "sechost.dll", "setupapi.dll", "shcore.dll", "shell32.dll", "shlwapi.dll",
    "user32.dll", "wldap32.dll", "ws2_32.dll",
}
LOAD_LIBRARY_SEARCH_SYSTEM32 = 0x800


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE image")
        sections = struct.unpack_from("<H", data, pe + 6)[0]
        optional_size = struct.unpack_from("<H", data, pe + 20)[0]
        optional = pe + 24
        self.pe64 = struct.unpack_from("<H", data, optional)[0] == 0x20B
        directories = optional + (112 if self.pe64 else 96)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(16)]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<IIII", data, table + 40 * i + 8) for i in range(sections)]

    def offset(self, rva):
        for virtual_size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw + rva - address
        raise ValueError("RVA %#x lies in no section" % rva)

    def string(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imports(self):
        names = []
        for index, entry_size, name_field in ((1, 20, 12), (13, 32, 4)):  # import, delay import
            rva, size = self.directories[index]
            if not rva:
                continue
            at = self.offset(rva)
            while True:
                entry = self.data[at:at + entry_size]
                if entry == bytes(entry_size):
                    break
                names.append(self.string(struct.unpack_from("<I", entry, name_field)[0]))
                at += entry_size
        return names

    def exports(self):
        rva, _ = self.directories[0]
        if not rva:
            return []
        at = self.offset(rva)
        count, _, names = struct.unpack_from("<III", self.data, at + 24)
        return [self.string(struct.unpack_from("<I", self.data, self.offset(names) + 4 * i)[0]) for i in range(count)]

    def dependent_load_flags(self):
        rva, _ = self.directories[10]
        if not rva:
            return None
        at = self.offset(rva)
        field = 0x4E if self.pe64 else 0x36
        size = struct.unpack_from("<I", self.data, at)[0]
        return struct.unpack_from("<H", self.data, at + field)[0] if size >= field + 2 else None


    def resource(self, kind, number):
        """The bytes of resource `kind`/`number` in its first language, or None."""
        rva, _ = self.directories[2]
        if not rva:
            return None
        base = self.offset(rva)

        def entry(directory, wanted):
            named, numbered = struct.unpack_from("<HH", self.data, directory + 12)
            for i in range(named + numbered):
                name, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * i)
                if wanted is None or name == wanted:
                    return target
            return None

        at = base
        for wanted in (kind, number):  # then the first language, a data entry
            target = entry(at, wanted)
            if target is None or not target & 0x80000000:
                return None
            at = base + (target & 0x7FFFFFFF)
        leaf = entry(at, None)
        if leaf is None or leaf & 0x80000000:
            return None
        data_rva, size = struct.unpack_from("<II", self.data, base + leaf)
        return self.data[self.offset(data_rva):self.offset(data_rva) + size]


RT_MANIFEST = 24
ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
SETTINGS_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
SETTINGS_2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"


def manifest_faults(image):
    data = image.resource(RT_MANIFEST, 1)
    if data is None:
        return ["carries no manifest"]
    root = ElementTree.fromstring(data)
    faults = []
    level = root.find(".//%srequestedExecutionLevel" % ASM_V3)
    if level is None or level.get("level") != "requireAdministrator" or level.get("uiAccess") != "false":
        faults.append("the manifest does not ask for requireAdministrator with uiAccess false")
    settings = root.find("%sapplication/%swindowsSettings" % (ASM_V3, ASM_V3))
    aware = settings.findtext(SETTINGS_2005 + "dpiAware", "") if settings is not None else ""
    awareness = settings.findtext(SETTINGS_2016 + "dpiAwareness", "") if settings is not None else ""
    if aware.strip().lower() != "true/pm":
        faults.append("dpiAware is %r, not 'true/pm'" % aware)
    if [part.strip() for part in awareness.split(",")] != ["PerMonitorV2", "PerMonitor"]:
        faults.append("dpiAwareness is %r, not 'PerMonitorV2, PerMonitor'" % awareness)
    for identity in root.iter(ASM_V1 + "assemblyIdentity"):
        if identity.get("name") == "Microsoft.Windows.Common-Controls":
            faults.append("the manifest depends on the common controls")
    return faults


def write_report(report, path, faults):
    name = os.path.basename(path)
    failures = "".join("<failure message=%s/>" % quoteattr(fault) for fault in faults)
    os.makedirs(os.path.dirname(report), exist_ok=True)
    with open(report, "w") as out:
        out.write('<?xml version="1.0" encoding="UTF-8"?>\n<testsuites><testsuite name="Binary">'
                  '<testcase name=%s classname="Binary">%s</testcase></testsuite></testsuites>\n'
                  % (quoteattr(name), failures))


def main(arguments):
    path = arguments[0]
    wanted = arguments[arguments.index("--exports") + 1:] if "--exports" in arguments else None
    report = arguments[arguments.index("--report") + 1] if "--report" in arguments else None
    check_manifest = "--manifest" in arguments
    image = Image(open(path, "rb").read())
    faults = []
    for name in image.imports():
        if name.lower() not in KNOWN_DLLS:
            faults.append("imports %s at load time, which is not a KnownDLL" % name)
    flags = image.dependent_load_flags()
    if flags != LOAD_LIBRARY_SEARCH_SYSTEM32:
        faults.append("DependentLoadFlags are %s, not %#x" % (flags if flags is None else hex(flags), LOAD_LIBRARY_SEARCH_SYSTEM32))
    if check_manifest:
        faults += manifest_faults(image)
    if wanted is not None and sorted(image.exports()) != sorted(wanted):
        faults.append("exports %s, not exactly %s" % (image.exports(), wanted))
    for fault in faults:
        print("%s: %s" % (path, fault))
    if not faults:
        print("%s: imports %s; DependentLoadFlags %#x" % (path, ", ".join(image.imports()), flags))
    if report:
        write_report(report, path, faults)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
