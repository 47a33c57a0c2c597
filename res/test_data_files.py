"""Checks the data files the scripts beside this file make, by reading them
back the way Windows and the media library will.

Run: python3 -B -m unittest discover -v -s res -p 'test_*.py'
(the test command runs it so, as Data.ScriptsMakeTheGamesFiles, with the
product's checks).
"""
import os
import struct
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SCRIPTS = ("make_pictures.py", "make_clips.py", "make_songs.py")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def make_all(out):
    for script in SCRIPTS:
        subprocess.run([sys.executable, os.path.join(HERE, script), "--out", out], check=True)
    return {name: read(os.path.join(out, name)) for name in os.listdir(out)}


def riff_chunks(data, start, end):
    """(fourcc, list type or None, data start, size) of the chunks in data[start:end]."""
    chunks, pos = [], start
    while pos < end:
        fourcc, size = struct.unpack_from("<4sI", data, pos)
        kind = data[pos + 8:pos + 12] if fourcc in (b"RIFF", b"LIST") else None
        chunks.append((fourcc, kind, pos + 8, size))
        pos += 8 + size + size % 2
    assert pos == end, "chunks overrun their parent"
    return chunks


def info_header(data, offset):
    return struct.unpack_from("<IiiHHIIiiII", data, offset)


def check_bitmap(test, data, width, height):
    magic, size, _, _, offset = struct.unpack_from("<2sIHHI", data)
    test.assertEqual((magic, size, offset), (b"BM", len(data), 54))
    test.assertEqual(info_header(data, 14)[:6], (40, width, height, 1, 24, 0))
    test.assertEqual(len(data) - 14, 40 + width * height * 3)


def check_icon(test, data):
    test.assertEqual(struct.unpack_from("<HHH", data), (0, 1, 2))
    end = 6 + 16 * 2
    for k, size in enumerate((32, 16)):
        w, h, colours, _, planes, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * k)
        test.assertEqual((w, h, colours, planes, bits, offset), (size, size, 16, 1, 4, end))
        test.assertEqual(info_header(data, offset)[:6], (40, size, 2 * size, 1, 4, 0))
        xor, mask_row = size * size // 2, max(4, size // 8)
        test.assertEqual(length, 40 + 16 * 4 + xor + mask_row * size)
        mask = data[offset + 104 + xor:offset + length]
        top_row = mask[(size - 1) * mask_row:]
        test.assertTrue(top_row[0] & 0x80, "corners are see-through")
        test.assertFalse(mask[(size // 2) * mask_row + size // 16], "the middle is opaque")
        end = offset + length
    test.assertEqual(end, len(data))


def check_clip(test, data):
    (riff, kind, start, size), = riff_chunks(data, 0, len(data))
    test.assertEqual((riff, kind, start + size), (b"RIFF", b"AVI ", len(data)))
    top = riff_chunks(data, start + 4, start + size)
    test.assertEqual([(c[0], c[1]) for c in top], [(b"LIST", b"hdrl"), (b"LIST", b"movi"), (b"idx1", None)])
    (hdrl, movi, idx1) = top
    avih, strl = riff_chunks(data, hdrl[2] + 4, hdrl[2] + hdrl[3])
    strh, strf = riff_chunks(data, strl[2] + 4, strl[2] + strl[3])
    _, _, _, flags, frames, _, streams = struct.unpack_from("<7I", data, avih[2])
    test.assertTrue(flags & 0x10, "AVIF_HASINDEX")
    test.assertEqual(streams, 1)
    test.assertEqual(data[strh[2]:strh[2] + 8], b"vidsDIB ")
    _, width, height, _, bits, compression, image, _, _, used, _ = info_header(data, strf[2])
    test.assertEqual((bits, compression, strf[3]), (8, 0, 40 + 4 * used))
    test.assertGreater(height, 0, "bottom-up frames")
    test.assertLessEqual((width, height), (160, 120))
    test.assertEqual(image, (width + 3) // 4 * 4 * height)
    frame_chunks = riff_chunks(data, movi[2] + 4, movi[2] + movi[3])
    test.assertEqual(len(frame_chunks), frames)
    test.assertEqual(idx1[3], 16 * frames)
    for k, (fourcc, _, at, length) in enumerate(frame_chunks):
        entry = struct.unpack_from("<4sIII", data, idx1[2] + 16 * k)
        test.assertEqual((fourcc, length), (b"00db", image))
        test.assertEqual(entry, (b"00db", 0x10, at - 8 - movi[2], image))
    # The control makes the colour of the top-left pixel transparent: it must be
    # the background, which no drawing uses, in every frame.
    top_left = [data[at + image - (width + 3) // 4 * 4] for _, _, at, _ in frame_chunks]
    test.assertEqual(set(top_left), {0})
    test.assertLess(len(data), 250 * 1024)


def midi_events(track):
    """(absolute tick, status, data bytes) of a track without running status."""
    events, pos, tick = [], 0, 0
    while pos < len(track):
        delta = 0
        while True:
            byte = track[pos]
            pos += 1
            delta = delta << 7 | byte & 0x7F
            if byte < 0x80:
                break
        tick += delta
        status = track[pos]
        if status == 0xFF:
            length = track[pos + 2]
            events.append((tick, status, track[pos + 1:pos + 3 + length]))
            pos += 3 + length
        else:
            length = 1 if status & 0xF0 == 0xC0 else 2
            events.append((tick, status, track[pos + 1:pos + 1 + length]))
            pos += 1 + length
    return events


def check_song(test, data):
    magic, length, form, count, division = struct.unpack_from(">4sIHHH", data)
    test.assertEqual((magic, length), (b"MThd", 6))
    test.assertIn(form, (0, 1))
    pos, tempo, end, programs = 14, None, 0, set()
    for _ in range(count):
        magic, length = struct.unpack_from(">4sI", data, pos)
        test.assertEqual(magic, b"MTrk")
        events = midi_events(data[pos + 8:pos + 8 + length])
        test.assertEqual(events[-1][1:], (0xFF, b"\x2f\x00"), "ends with end-of-track")
        sounding = set()
        for tick, status, body in events:
            if status == 0xFF and body[0] == 0x51:
                tempo = int.from_bytes(body[2:], "big")
            elif status & 0xF0 == 0xC0:
                programs.add(body[0])
            elif status & 0xF0 == 0x90:
                sounding.add((status & 15, body[0]))
            elif status & 0xF0 == 0x80:
                sounding.remove((status & 15, body[0]))
        test.assertFalse(sounding, "every note is released")
        end = max(end, events[-1][0])
        pos += 8 + length
    test.assertEqual(pos, len(data))
    test.assertGreaterEqual(len(programs), 2)
    test.assertTrue(20 <= end / division * tempo / 1e6 <= 40, "lasts 20 to 40 seconds")


CHECKS = {
    "about.bmp": lambda test, data: check_bitmap(test, data, 200, 260),
    "complete.bmp": lambda test, data: check_bitmap(test, data, 300, 200),
    "Quillmere.ico": check_icon,
    **{name + ".avi": check_clip for name in (
        "thief_dad", "thief_mom", "thief_son", "thief_daughter", "dad_daughter", "mom_son")},
    **{"song%d.mid" % n: check_song for n in (1, 2, 3)},
}


class DataFilesTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with tempfile.TemporaryDirectory() as first, tempfile.TemporaryDirectory() as second:
            cls.files = make_all(first)
            cls.again = make_all(second)

    def test_the_scripts_make_exactly_the_game_files(self):
        self.assertEqual(sorted(self.files), sorted(CHECKS))

    def test_every_run_makes_the_same_bytes(self):
        self.assertEqual(self.files, self.again)

    def test_each_file_reads_back(self):
        for name, check in CHECKS.items():
            with self.subTest(name):
                check(self, self.files[name])


if __name__ == "__main__":
    unittest.main()
