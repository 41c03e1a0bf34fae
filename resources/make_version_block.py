#!/usr/bin/env python3
"""Writes the version block of nkcfg.exe (a VS_VERSIONINFO resource).

The resource compiler writes an empty string value with a length of 1 (its
terminating zero); the block nkcfg.exe carries stores its nine empty strings
with a value length of 0 and no value at all.  So the block is built here,
byte for byte, and the resource script includes it as resource type 16.

    make_version_block.py OUTPUT.bin
"""
import struct
import sys

VERSION = (0, 455, 0, 0)
VERSION_TEXT = '0, 455, 0, 0'
STRINGS = [  # in the order they are stored: alphabetical by key
    ('Comments', ''),
    ('CompanyName', ''),
    ('FileDescription', ''),
    ('FileVersion', VERSION_TEXT),
    ('InternalName', ''),
    ('LegalCopyright', ''),
    ('LegalTrademarks', ''),
    ('OriginalFilename', ''),
    ('PrivateBuild', ''),
    ('ProductName', 'NOVUKA Configuration'),
    ('ProductVersion', VERSION_TEXT),
    ('SpecialBuild', ''),
]
TRANSLATION = (0x0411, 1200)  # Japanese, UTF-16
TEXT, BINARY = 1, 0


def pad4(data):
    return data + b'\0' * (-len(data) % 4)


def node(key, value_type, value=b'', value_length=0, children=()):
    """One version-block node: wLength, wValueLength, wType, the key, then
    the value and the children, each starting on a 4-byte boundary.  The
    length covers the node up to the end of its last part, without the
    padding that follows it."""
    body = (key + '\0').encode('utf-16-le')
    if value or children:
        body = pad4(struct.pack('<HHH', 0, 0, 0) + body)[6:]
        body += value
    for child in children:
        body = pad4(struct.pack('<HHH', 0, 0, 0) + body)[6:] + child
    return struct.pack('<HHH', 6 + len(body), value_length, value_type) + body


def string(key, text):
    if not text:
        return node(key, TEXT)
    value = (text + '\0').encode('utf-16-le')
    return node(key, TEXT, value, len(text) + 1)


def fixed_file_info():
    ms = lambda v: (v[0] << 16) | v[1]
    ls = lambda v: (v[2] << 16) | v[3]
    return struct.pack('<13I',
                       0xFEEF04BD,            # signature
                       0x00010000,            # structure version
                       ms(VERSION), ls(VERSION),  # file version
                       ms(VERSION), ls(VERSION),  # product version
                       0x3F,                  # flags mask
                       0,                     # flags
                       0x40004,               # 32-bit Windows, NT kernel
                       1,                     # application
                       0,                     # subtype
                       0, 0)                  # file date


def version_block():
    table = node('041104b0', TEXT, children=[string(k, v) for k, v in STRINGS])
    string_info = node('StringFileInfo', TEXT, children=[table])
    translation = struct.pack('<HH', *TRANSLATION)
    var_info = node('VarFileInfo', TEXT,
                    children=[node('Translation', BINARY, translation, len(translation))])
    fixed = fixed_file_info()
    return node('VS_VERSION_INFO', BINARY, fixed, len(fixed), [string_info, var_info])


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], 'wb') as f:
        f.write(version_block())


if __name__ == '__main__':
    main()
