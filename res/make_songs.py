"""Writes the game's background tunes as Standard MIDI Files.

Usage: python3 make_songs.py --out DIR

Each tune is a melody over a chord per bar; the bass and the chords are
played from the chord names in the tune's own accompaniment pattern.
"""
import argparse
import os
import struct
from collections import namedtuple

TICKS_PER_QUARTER = 480
TICKS_PER_EIGHTH = TICKS_PER_QUARTER // 2
NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
# Semitones above the root of each chord kind.
CHORD_KINDS = {"": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10)}

# tempo: quarter notes a minute; metre: the time signature as (beats, note value);
# pattern: (start, length, part) in eighths of a bar, part being "root" or
# "fifth" for the bass or "chord" for the chord player.
Song = namedtuple("Song", "tempo metre melody_program chord_program bass_program pattern sections form")

# General MIDI programs.
FLUTE, NYLON_GUITAR, ACOUSTIC_BASS = 73, 24, 32
MUSIC_BOX, PIANO, PIZZICATO = 10, 0, 45
CLARINET, MARIMBA, TUBA = 71, 12, 58

JIG = ((0, 3, "root"), (3, 3, "fifth"), (1, 1, "chord"), (2, 1, "chord"), (4, 1, "chord"),
       (5, 1, "chord"))
WALTZ = ((0, 2, "root"), (2, 2, "chord"), (4, 2, "chord"))
MARCH = ((0, 2, "root"), (4, 2, "fifth"), (2, 2, "chord"), (6, 2, "chord"))

# Melodies are written bar by bar as note:length in eighths; R is a rest.
SONGS = {
    "song1.mid": Song(162, (6, 8), FLUTE, NYLON_GUITAR, ACOUSTIC_BASS, JIG, {
        "A": ("G C G D G C D G", """
            G4:2 B4:1 D5:2 B4:1 | C5:2 E5:1 G5:2 E5:1 | D5:2 B4:1 G4:2 B4:1 | A4:2 B4:1 A4:2 F#4:1 |
            G4:2 B4:1 D5:2 G5:1 | E5:2 C5:1 E5:2 G5:1 | F#5:2 E5:1 D5:2 C5:1 | B4:2 A4:1 G4:3"""),
        "B": ("Em C G D Em Am D G", """
            G5:2 F#5:1 E5:2 B4:1 | C5:2 E5:1 G5:3 | D5:2 G5:1 B5:2 G5:1 | A5:2 F#5:1 D5:3 |
            E5:2 G5:1 B5:2 G5:1 | A5:2 E5:1 C5:2 E5:1 | D5:2 F#5:1 A5:2 F#5:1 | G5:3 G4:3"""),
    }, "AABB"),
    "song2.mid": Song(132, (3, 4), MUSIC_BOX, PIANO, PIZZICATO, WALTZ, {
        "A": ("F F Bb F C C7 C7 F F Dm Bb F Gm C7 C7 F", """
            C5:4 A4:2 | F5:4 E5:2 | D5:4 F5:2 | C5:6 | E5:4 G5:2 | Bb4:4 C5:2 | G4:2 A4:2 Bb4:2 |
            A4:6 | C5:4 A4:2 | F5:4 D5:2 | D5:2 F5:2 Bb5:2 | A5:4 F5:2 | G5:4 D5:2 | E5:4 C5:2 |
            G4:2 Bb4:2 E5:2 | F5:6"""),
        "B": ("Bb Bb F F Gm C7 C7 F", """
            D5:2 C5:2 D5:2 | F5:4 D5:2 | C5:2 Bb4:2 C5:2 | A4:4 F4:2 | Bb4:2 A4:2 Bb4:2 |
            G5:4 E5:2 | E5:2 D5:2 E5:2 | F5:6"""),
    }, "AB"),
    "song3.mid": Song(112, (4, 4), CLARINET, MARIMBA, TUBA, MARCH, {
        "A": ("C F C G C F G C", """
            C5:2 E5:2 G5:3 E5:1 | F5:2 A5:2 G5:2 F5:2 | E5:3 D5:1 C5:2 E5:2 | D5:4 B4:2 G4:2 |
            C5:2 E5:2 G5:3 E5:1 | A5:2 C6:2 A5:2 F5:2 | G5:2 F5:2 E5:2 D5:2 | C5:6 R:2"""),
        "B": ("Am F G7 C Am F G7 C", """
            A5:3 G5:1 E5:2 C5:2 | F5:3 E5:1 D5:2 C5:2 | D5:3 E5:1 F5:2 D5:2 | E5:4 G5:4 |
            A5:3 G5:1 E5:2 C5:2 | F5:2 A5:2 G5:2 F5:2 | D5:2 G5:2 F5:2 D5:2 | C5:6 R:2"""),
    }, "AB"),
}

Note = namedtuple("Note", "start length pitch velocity")


def pitch(name):
    """MIDI key number of a name such as C5 (middle C is C4), F#4 or Bb3."""
    value = NOTE_NAMES[name[0]] + name[1:-1].count("#") - name[1:-1].count("b")
    return 12 * (int(name[-1]) + 1) + value


def chord_tones(symbol):
    """Root pitch class and intervals of a chord such as G, Em or C7."""
    root = symbol[:2] if symbol[1:2] in ("#", "b") else symbol[:1]
    return pitch(root + "0") % 12, CHORD_KINDS[symbol[len(root):]]


def melody_notes(text, bar_eighths, start):
    notes, bars = [], [bar.split() for bar in text.split("|")]
    for bar_index, tokens in enumerate(bars):
        t = start + bar_index * bar_eighths
        for token in tokens:
            name, length = token.split(":")
            if name != "R":
                accent = 100 if t == start + bar_index * bar_eighths else 86
                notes.append(Note(t, int(length), pitch(name), accent))
            t += int(length)
        if t != start + (bar_index + 1) * bar_eighths:
            raise ValueError("bar %d of a melody does not fill the bar: %s" % (bar_index + 1, tokens))
    return notes, len(bars)


def accompaniment(chords, pattern, bar_eighths, start):
    """Bass and chord notes for a bar per chord, in the song's pattern."""
    bass, harmony = [], []
    for bar_index, symbol in enumerate(chords.split()):
        root, intervals = chord_tones(symbol)
        t = start + bar_index * bar_eighths
        for offset, length, part in pattern:
            if part == "chord":
                # Every chord tone lies in the octave from G3 up, so the chords
                # move by small steps from bar to bar whatever their roots.
                harmony += [Note(t + offset, length, 55 + (root + i - 7) % 12, 58) for i in intervals]
            else:
                bass_pitch = 36 + (root + (7 if part == "fifth" else 0)) % 12
                bass.append(Note(t + offset, length, bass_pitch, 84))
    return bass, harmony


def bar_eighths(metre):
    beats, note_value = metre
    return beats * 8 // note_value


def arrange(song):
    """The melody, bass and chord parts of the whole song, in eighths."""
    bar = bar_eighths(song.metre)
    parts = {"melody": [], "bass": [], "chords": []}
    t = 0
    for section in song.form:
        chords, melody = song.sections[section]
        notes, bars = melody_notes(melody, bar, t)
        if bars != len(chords.split()):
            raise ValueError("section %s has %d bars of melody and %d chords"
                             % (section, bars, len(chords.split())))
        bass, harmony = accompaniment(chords, song.pattern, bar, t)
        parts["melody"] += notes
        parts["bass"] += bass
        parts["chords"] += harmony
        t += bars * bar
    return parts, t


def variable_length(value):
    data = [value & 0x7F]
    value >>= 7
    while value:
        data.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(data))


def track(events, end_tick):
    """A track chunk of (tick, message) events."""
    data, now = b"", 0
    # Note-offs sort before note-ons at the same tick, so repeated notes restart cleanly.
    for tick, message in sorted(events, key=lambda e: (e[0], e[1][0] & 0xF0 != 0x80)):
        data += variable_length(tick - now) + message
        now = tick
    data += variable_length(end_tick - now) + b"\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(data)) + data


def tempo_track(song, end_tick):
    microseconds = 60000000 // song.tempo
    beats, note_value = song.metre
    # MIDI clocks per metronome click: a dotted quarter in compound time.
    compound = note_value == 8 and beats % 3 == 0
    clocks = 36 if compound else 96 // note_value
    signature = bytes((beats, note_value.bit_length() - 1, clocks, 8))
    events = [(0, b"\xff\x51\x03" + microseconds.to_bytes(3, "big")),
              (0, b"\xff\x58\x04" + signature)]
    return track(events, end_tick)


def instrument_track(notes, channel, program, end_tick):
    events = [(0, bytes((0xC0 | channel, program)))]
    for note in notes:
        on = note.start * TICKS_PER_EIGHTH
        # Release a little early so that notes are articulated rather than slurred.
        off = on + note.length * TICKS_PER_EIGHTH - TICKS_PER_EIGHTH // 8
        events.append((on, bytes((0x90 | channel, note.pitch, note.velocity))))
        events.append((off, bytes((0x80 | channel, note.pitch, 64))))
    return track(events, end_tick)


def midi_file(song):
    parts, length = arrange(song)
    # A beat of silence at the end, so the last note rings before the loop restarts.
    end_tick = length * TICKS_PER_EIGHTH + TICKS_PER_QUARTER
    tracks = [tempo_track(song, end_tick),
              instrument_track(parts["melody"], 0, song.melody_program, end_tick),
              instrument_track(parts["chords"], 1, song.chord_program, end_tick),
              instrument_track(parts["bass"], 2, song.bass_program, end_tick)]
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), TICKS_PER_QUARTER)
    return header + b"".join(tracks)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True, help="directory to write the songs to")
    out = parser.parse_args().out
    os.makedirs(out, exist_ok=True)
    for name, song in SONGS.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(midi_file(song))


if __name__ == "__main__":
    main()
