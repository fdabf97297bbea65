#!/usr/bin/python3
"""The side-by-side benchmark's own logic, without the peer: both song writers
describe the same hits, and the onset counter finds hits and misses in a
synthetic render."""

import array
import math
import random
import sys
import tempfile
import unittest
import wave
import xml.etree.ElementTree as ET
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[3] / "bench" / "peers"))
import onsets  # noqa: E402
import songs  # noqa: E402

RATE = 44100
TEMPO = 120


def peer_hits(text):
    """(16th step, track) of every note of the peer's song, and its bar count."""
    song = ET.fromstring(text)
    pattern = song.find("patternList/pattern")
    assert int(pattern.findtext("size")) == songs.STEPS * songs.PEER_TICKS_PER_STEP
    hits = set()
    for note in pattern.iter("note"):
        step, rest = divmod(int(note.findtext("position")), songs.PEER_TICKS_PER_STEP)
        assert rest == 0
        hits.add((step, int(note.findtext("instrument"))))
    return hits, len(song.findall("patternSequence/group"))


def our_hits(text):
    """(16th step, track) of every hit of our pattern document; fails on a hit off the 16ths."""
    pattern = ET.fromstring(text).find("pattern")
    assert pattern.get("numbars") == "1"
    hits = set()
    for track in pattern.iter("track"):
        velocities = track.findtext("velocity")
        assert len(velocities) == 256
        for step in range(128):
            if int(velocities[2 * step : 2 * step + 2], 16):
                assert step % songs.OUR_STEPS_PER_STEP == 0 and step < 32, step
                hits.add((step // songs.OUR_STEPS_PER_STEP, int(track.get("number"))))
    return hits


class SongWritersTest(unittest.TestCase):
    WANTED = {
        "dense": {(s, t) for s in range(16) for t in range(16)},
        "light": {(k, k) for k in range(16)},
    }

    def test_both_writers_write_the_workload(self):
        samples = [f"S{k:02}.flac" for k in range(16)]
        for workload in songs.WORKLOADS:
            with self.subTest(workload.name):
                peer, bars = peer_hits(songs.peer_song(workload, samples, "Kit", 30, TEMPO))
                self.assertEqual(peer, self.WANTED[workload.name])
                self.assertEqual(bars, 30)
                self.assertEqual(our_hits(songs.our_pattern(workload)), self.WANTED[workload.name])

    def test_peer_instruments_play_the_samples_in_order(self):
        song = ET.fromstring(songs.peer_song(songs.LIGHT, ["b.flac", "a&b.flac"], "Kit", 2, TEMPO))
        self.assertEqual([layer.findtext("filename") for layer in song.iter("layer")], ["b.flac", "a&b.flac"])
        self.assertEqual(song.findtext("bpm"), "120")

    def test_hit_times_are_the_sounding_16ths(self):
        times = songs.DENSE.hit_times(2, TEMPO)
        self.assertEqual(len(times), 32)
        self.assertAlmostEqual(times[17], 17 * 0.125)


def hit(kind, rng):
    """A drum-like hit: a noise burst or a low decaying sine (a kick)."""
    length = int(0.1 * RATE)
    if kind == "noise":
        return [rng.uniform(-1, 1) * 0.5 * math.exp(-i / (0.02 * RATE)) for i in range(length)]
    return [0.7 * math.sin(2 * math.pi * 55 * i / RATE) * math.exp(-i / (0.08 * RATE)) for i in range(length)]


def render(times, path):
    """A stereo 16-bit file with a hit at each time, noise and kicks taking turns."""
    rng = random.Random(7)
    mono = [0.0] * int(2.2 * RATE)
    for n, t in enumerate(times):
        start = int(t * RATE)
        for i, v in enumerate(hit("kick" if n % 2 else "noise", rng)):
            mono[start + i] += v
    frames = array.array("h", (int(max(-1, min(1, v)) * 32767) for v in mono for _ in range(2)))
    if sys.byteorder == "big":
        frames.byteswap()
    with wave.open(str(path), "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames.tobytes())


class OnsetCounterTest(unittest.TestCase):
    GRID = [k * 0.125 for k in range(16)]

    def problems(self, times):
        with tempfile.TemporaryDirectory() as folder:
            path = Path(folder) / "render.wav"
            render(times, path)
            return onsets.mismatches(onsets.onset_times(*onsets.read_mono(path)), self.GRID)

    def test_every_hit_found(self):
        self.assertEqual(self.problems(self.GRID), [])

    def test_what_is_wrong_is_reported(self):
        cases = [
            ("a missing hit", self.GRID[:5] + self.GRID[6:], ["no hits at 0.625 s"]),
            ("a hit between two steps", sorted(self.GRID + [1.06]), ["an unexpected hit at"]),
            ("a late hit", self.GRID[:3] + [0.41] + self.GRID[4:], ["no hits at 0.375 s", "an unexpected hit at"]),
        ]
        for name, times, wanted in cases:
            with self.subTest(name):
                found = self.problems(times)
                self.assertEqual(len(found), len(wanted), found)
                for problem, text in zip(found, wanted):
                    self.assertTrue(problem.startswith(text), found)

    def test_a_doubled_hit_counts_twice(self):
        found = onsets.mismatches([0.0, 0.005, 0.125], [0.0, 0.125])
        self.assertEqual(found, ["2 hits at 0.000 s"])


if __name__ == "__main__":
    unittest.main()
