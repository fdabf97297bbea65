"""Counting the hits in a rendered WAV file: an energy-flux onset detector in
three bands, and a check of its onsets against the grid the song was written
on. Three bands, because a hit that starts under the tail of a louder sound
still rises clearly in the band where that tail is quiet."""

import array
import bisect
import math
import sys
import wave

SPLITS_HZ = (150.0, 2000.0)  # low | mid | high
HOP = 64  # frames per energy frame
WINDOW = 8  # frames whose energy make one level: 11.6 ms at 44.1 kHz, to smooth a kick's cycles
LEAD = 2  # frames between a level and the ones it is compared with, for attacks that ramp up
LOOKBACK = 20  # frames a level is compared with: the loudest of them is the reference
RISE_DB = 5.5  # summed over the bands, the rise above the reference that makes a hit
FLOOR_DB = -60.0  # a band this quiet (below full scale) adds nothing
REFRACTORY_S = 0.04  # one hit cannot start another this soon after it


def read_mono(path):
    """The 16-bit PCM file at path as mono samples (a sequence) and its rate."""
    with wave.open(str(path), "rb") as w:
        if w.getsampwidth() != 2 or w.getnchannels() not in (1, 2):
            raise ValueError(f"{path}: not 16-bit PCM in one or two channels")
        channels, rate = w.getnchannels(), w.getframerate()
        data = array.array("h", w.readframes(w.getnframes()))
    if sys.byteorder == "big":
        data.byteswap()
    if channels == 1:
        return data, rate
    return [(left + right) * 0.5 for left, right in zip(data[0::2], data[1::2])], rate


def _one_pole(cutoff_hz, rate):
    return 1.0 - math.exp(-2.0 * math.pi * cutoff_hz / rate)


def band_energies(samples, rate):
    """The energy of every HOP-frame block in the low, mid and high band."""
    a_low, a_mid = (_one_pole(hz, rate) for hz in SPLITS_HZ)
    low = below_mid = e_low = e_mid = e_high = 0.0
    energies = ([], [], [])
    for i, x in enumerate(samples, 1):
        low += a_low * (x - low)
        below_mid += a_mid * (x - below_mid)
        e_low += low * low
        e_mid += (below_mid - low) ** 2
        e_high += (x - below_mid) ** 2
        if i % HOP == 0:
            for band, e in zip(energies, (e_low, e_mid, e_high)):
                band.append(e)
            e_low = e_mid = e_high = 0.0
    return energies


def _levels(energies):
    """Each frame's level over the WINDOW frames that end with it, in dB below full scale."""
    scale = 1.0 / (WINDOW * HOP * 32768.0 * 32768.0)
    levels, total = [], 0.0
    for j, e in enumerate(energies):
        total += e - (energies[j - WINDOW] if j >= WINDOW else 0.0)
        levels.append(10.0 * math.log10(max(total, 0.0) * scale + 1e-12))
    return levels


def _rise(levels, j):
    if levels[j] < FLOOR_DB:
        return 0.0
    reference = levels[max(0, j - LEAD - LOOKBACK) : j - LEAD]
    return max(0.0, levels[j] - max(reference)) if reference else 0.0


def onset_times(samples, rate):
    """The start times in seconds of the hits in samples."""
    bands = [_levels(e) for e in band_energies(samples, rate)]
    refractory = REFRACTORY_S * rate / HOP
    onsets, last = [], -refractory
    for j in range(LEAD + 1, len(bands[0])):
        if j - last >= refractory and sum(_rise(levels, j) for levels in bands) >= RISE_DB:
            onsets.append((j + 1 - WINDOW // 2) * HOP / rate)  # the window's middle
            last = j
    return onsets


def mismatches(onsets, expected, tolerance_s=0.02):
    """What is wrong with onsets against the sorted hit times expected: a list
    of texts, empty when every expected time has exactly one onset within
    tolerance_s and there are no others."""
    found = [0] * len(expected)
    stray = []
    for t in onsets:
        k = bisect.bisect(expected, t)
        k = min((i for i in (k - 1, k) if 0 <= i < len(expected)), key=lambda i: abs(expected[i] - t))
        if abs(expected[k] - t) <= tolerance_s:
            found[k] += 1
        else:
            stray.append(t)
    problems = [f"{n or 'no'} hits at {t:.3f} s" for t, n in zip(expected, found) if n != 1]
    return problems + [f"an unexpected hit at {t:.3f} s" for t in stray]
