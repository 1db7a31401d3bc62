#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/.

The seeds are the files and decoder records of the unit tests, laid out by hand from the record
layouts as the tests do it. Run it again after changing a seed; the files it writes are kept in
the repository.
"""
import pathlib
import struct
import zlib

HERE = pathlib.Path(__file__).resolve().parent


def le32(v):
    return struct.pack("<i", v)


class Record:
    """A fixed-size record of zero bytes with fields put at offsets."""

    def __init__(self, size):
        self.bytes = bytearray(size)

    def at(self, offset, data):
        self.bytes[offset:offset + len(data)] = bytes(data)
        return self

    def text(self, offset, s):
        data = s.encode("latin-1")
        return self.at(offset, bytes([len(data)]) + data)


def seeds(target, files):
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in files.items():
        (folder / name).write_bytes(bytes(data))


# eventfile.qmf: one 136-byte record.
club_day = (Record(136).text(0, "Club Day").at(84, le32(7)).at(88, le32(3))
            .at(92, bytes.fromhex("89 00 00 00 00 7A")).at(98, [1]).at(100, le32(7))
            .at(104, le32(30)).at(112, le32(90)).at(116, le32(45)).at(120, le32(25))
            .at(124, le32(5)).at(128, le32(12)).at(132, [1, 0, 1, 1]))
damaged = (Record(136).at(84, le32(99)).at(88, le32(0))
           .at(92, bytes.fromhex("82 00 00 00 00 20")).at(98, [2]).at(132, [0, 1, 1, 1]))
seeds("event_settings", {"club_day": club_day.bytes, "damaged_numbers": damaged.bytes})

# eventfile.qdd: a header record, then 504-byte competitor records.
header = Record(504).text(4, "Vexa V0.00")
ann = (Record(504).at(0, le32(12)).text(4, "Ann Lee").at(30, [55]).text(31, "A123")
       .at(38, [3, 9, 4]).at(41, [3, 4, 9, 17]).at(242, [ord("N")]).text(243, "ann.jpg")
       .at(500, le32(1234567)))
zed = Record(504).at(0, le32(300)).text(4, "Zed").at(241, [205, ord("Y")])
out_of_range = Record(504).at(0, le32(301)).text(4, "Out Of Range")
long_name = Record(504).at(0, le32(2)).text(4, "Good").at(4, [200])
seeds("competitors", {
    "ann_and_zed": header.bytes + ann.bytes + zed.bytes,
    "damaged": header.bytes + out_of_range.bytes + long_name.bytes + b"A" * 300,
})

# eventfile.qht / eventfile.qft: 16-byte cells, column by column.
def cell(col, row, text):
    return Record(16).at(0, le32(col)).at(4, le32(row)).text(8, text).bytes


seeds("tables", {
    "heats": cell(2, 1, "3/B") + cell(2, 21, "12") + cell(3, 2, "123456") + cell(51, 2, "300"),
    "out_of_range": cell(52, 2, "7") + cell(2, 22, "8") + b"\x01",
})

# eventfile.qrf: 20-byte results.
def result(cid, rnd, laps, real48):
    return (Record(20).at(0, le32(cid)).at(4, le32(rnd)).at(8, le32(laps))
            .at(12, bytes.fromhex(real48)).bytes)


seeds("results", {
    "three_results": result(1, 1, 0, "81 00 00 00 00 80") + result(1, 20, -1, "84 00 00 00 00 48")
    + result(300, 2, 14, "89 00 00 00 10 16"),
    "out_of_range": result(2, 21, 9, "00 00 00 00 00 00") + bytes(7),
})

# A drivers database: 732-byte records.
def ann_driver(did):
    return (Record(732).at(0, le32(did)).text(4, "Ann Lee").at(30, bytes.fromhex("37 00"))
            .text(32, "A123456789").at(48, [3]).at(50, bytes.fromhex("12 00"))
            .at(52, [2, 1, 18]).text(253, "1 High Street").text(294, "Lowtown")
            .text(335, "Shire").text(376, "AB1 2CD").text(387, "0123 456")
            .text(418, "ann@example.org").text(459, "ann.jpg").at(716, le32(1234567)).bytes)


seeds("drivers_database", {
    "ann": ann_driver(7),
    "ids_in_and_out_of_range": ann_driver(1) + ann_driver(0) + ann_driver(32768) + ann_driver(-4)
    + ann_driver(32767) + ann_driver(5)[:400],
})

# CSV import.
seeds("csv_import", {
    "one_line": b"Ann Lee,3,55,A123456,1234567,0A\r\n",
    "odd_fields": b"A,31,101,M,10000000,\nA, 7 ,5.5,M,12ab,\rA,-2,-1,M,-5,\r\n"
                  b"A,99999999999999999999,2,M,3\nA,,,,\nA\nA,1,2,M,4,A0,,0 /\x01\xF7\xF8\n",
})

# vexa.ini.
seeds("vexa_ini", {
    "club": b"; club settings\r\n[count method]\r\nlowest hits = 3\r\nCOUNTDEVICE=2\r\n"
            b"COUNT1COMPORT=8\r\nIP ADDRESS=192.168.1.20\r\n\r\n[Unknown]\r\nX=\"quoted value\"\r\n"
            b"[MISC]\r\nSTAGGER GAP=2500\r\nCOUNT BEEPS=2\r\nAUTO KEYS=yEs\r\nITALY=YES\r\n"
            b"[EVENT]\nHEAT TYPE=MASS\nTRACK MEASURE=feet\nTRACK LENGTH=2.5\n"
            b"[Classes]\nClass3=-1\nClass30=Touring\nQ Class30=7\nTSCdown Class4=NO\n"
            b"[Track Transponders]\nSet2Name=Hire cars\nSet2_T15=4711\n"
            b"[TIMES]\nMIN LAP=7\nRACE INTIVAL=90\n",
})

# Decoder bytes: the first byte chooses the dialect (bits 0-2: 0 AMBrc serial, 1 AMBrc TCP,
# 2 System 20, 3 EX20, 4 Italian, 5 second System 20) and the race's settings; 0xFC hands the
# bytes over, 0xFD and 0xFE let 0.2 s and 5 s pass, 0xFF breaks the link.
def ambrc(kind, *fields):
    return b"\x01" + kind + b"".join(b"\t" + f.encode() for f in fields) + b"\r\n"


def passing(transponder, time, hits="5"):
    return ambrc(b"@", "7", "1", str(transponder), time, hits, "80")


WAIT = b"\xfe\xfe"
seeds("decoder", {
    "ambrc_serial": b"\x00" + passing(4000001, "0.500") + WAIT + passing(4000001, "10.250")
    + ambrc(b"#", "7", "0", "23") + passing(4012345, "12,3") + ambrc(b"@", "8", "1", "4000002")
    + WAIT + passing(4000002, "20.000", "five") + b"\x01@\t7\t1\t40000",
    "ambrc_tcp_split": b"\x01" + passing(4000003, "0.100")[:9] + b"\xfc"
    + passing(4000003, "0.100")[9:] + WAIT + b"\xff" + passing(4000003, "10.900"),
    "system20": b"\x02@00000002\r@010000005007\r" + WAIT + b"@0100001100071\r@x5010215307\r"
    + b"@05ab0215307\r",
    "ex20_stagger": b"\x0b@1001\r@65600\r" + WAIT + b"@1001\r@2\r@12a\r@65601\r",
    "italian": b"\x04@01x\r@12x\r" + WAIT + b"@01x\r@ab1\r",
    "second_system20": b"\x05@010000005000\r" + WAIT + b"@010000105000\r@12000012345\r"
    + b"T1=21.5\r",
})


# Race journals: lines sealed with " *", the CRC-32 of the text before, in hexadecimal.
def sealed(text):
    return ("%s *%08X\n" % (text, zlib.crc32(text.encode("latin-1")))).encode("latin-1")


journal = (sealed("vexa-journal 1 1765400000123 1 0 1 h 1")
           + sealed("500 decoder 01 24 09 31 09 30 09 30 0D 0A")
           + sealed("31000 setup 1 h 1 1:1:-1:-1 2:2:11:324.5 3:0:-1:-1")
           + sealed("61000 action start")
           + sealed("90520 decoder 01 40 09 31 09 37 09 32 31 30 30 30 31 09 32 39 2E 35 30 30 0D 0A")
           + sealed("91000 key 31 71")
           + sealed("95000 action penalty 2")
           + sealed("388500 end"))
# The program's journals begin with the counting equipment it had found (AMBrc, id 10).
program_journal = (sealed("vexa-journal 1 1765400000123 1 0 1 h 1")
                   + sealed("0 action equipment 2 10")
                   + journal[journal.index(b"\n31000") + 1:])
seeds("journal", {
    "race": journal,
    "program": program_journal,
    "cut": journal[:-7],
    "damaged": journal[:60] + b"X" + journal[61:],
})

# The corrections kept beside a race journal: one a line.
seeds("corrections", {
    "each_kind": b"remove-passing 2 5\nadd-lap 3 174.25\npenalty 3\ntake-back-penalty 3\n"
                 b"set 3 9 280.5\n",
    "damaged": b"set 3 nine 280\nadd-lap 0 5\nremove-passing 2\r\npenalty 1e3\n",
})

# Requests to the live results server.
seeds("live_request", {
    "race": b"GET /api/race HTTP/1.1\r\nHost: 192.168.1.5:8080\r\nAccept: */*\r\n\r\n",
    "pipelined": b"GET /api/results?round=3 HTTP/1.1\r\nHost: x\r\n\r\n"
                 b"GET /html/h1r1.html HTTP/1.0\r\nConnection: keep-alive\r\n\r\n",
    "body": b"GET /api/events HTTP/1.1\r\nContent-Length: 4\r\nContent-Length: 4\r\n\r\nabcd",
    "conflicting_length": b"POST / HTTP/1.1\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nab",
    "version": b"GET / HTTP/9.9\r\n\r\n",
    "paths": b"GET /html/..%2feventfile.qdd HTTP/1.1\r\n\r\n"
             b"GET http://host/html/img/a.png?x=%41+b HTTP/1.1\nUpgrade: websocket\n\n",
    "links": b"GET /html/up/eventfile.qdd HTTP/1.1\r\n\r\nGET /html/inside.png HTTP/1.1\r\n\r\n",
    "folded": b"\r\nGET / HTTP/1.1\r\nX: a\r\n b\r\nTransfer-Encoding: chunked\r\n\r\n",
    # Around the 8 KB bound (and so that inputs may grow past it).
    "at_the_bound": b"GET / HTTP/1.1\r\nX: " + b"p" * (8192 - 23) + b"\r\n\r\nGET / HTTP/1.1\r\nX: "
                    + b"q" * 8192 + b"\r\n\r\n",
})
