"""Reading a compiled Windows resource file (.res), for the tests that check
what the program file carries."""

import struct


def res_entries(data):
    """(type, name, language, payload) of each entry of a compiled .res file."""
    def id_or_name(at):
        if struct.unpack_from("<H", data, at)[0] == 0xFFFF:
            return struct.unpack_from("<H", data, at + 2)[0], at + 4
        end = at
        while struct.unpack_from("<H", data, end)[0] != 0:
            end += 2
        return data[at:end].decode("utf-16-le"), end + 2
    entries, at = [], 0
    while at < len(data):
        data_size, header_size = struct.unpack_from("<II", data, at)
        kind, after = id_or_name(at + 8)
        name, after = id_or_name(after)
        after += -after % 4
        language = struct.unpack_from("<H", data, after + 6)[0]
        payload = data[at + header_size:at + header_size + data_size]
        entries.append((kind, name, language, payload))
        at += header_size + data_size
        at += -at % 4
    return [e for e in entries if e[3]]  # the leading empty entry marks a .res file
