"""The two workloads of the side-by-side benchmark, written once as the peer's
song file and once as our pattern document: a 1-bar pattern of sixteen 16th
steps, repeated, on sixteen tracks that each play one sample."""

import xml.etree.ElementTree as ET

TRACKS = 16
STEPS = 16  # 16th notes in the one bar
PEER_TICKS_PER_STEP = 12  # the peer counts 48 ticks per quarter note
OUR_STEPS_PER_STEP = 2  # our grid is 32nd notes
OUR_VELOCITY = 100  # of 127; the peer's 0.8 is close to it
PEER_VELOCITY = 0.8


class Workload:
    """Which tracks sound on which 16th of the bar."""

    def __init__(self, name, title, plays):
        self.name, self.title, self._plays = name, title, plays

    def tracks(self, step):
        return [t for t in range(TRACKS) if self._plays(t, step)]

    def hit_times(self, bars, tempo):
        """When hits start in seconds, as heard: the hits of one step start together."""
        steps = [s for s in range(STEPS) if self.tracks(s)]
        return [(bar * STEPS + s) * step_seconds(tempo) for bar in range(bars) for s in steps]


DENSE = Workload("dense", "dense: all 16 tracks on every 16th", lambda track, step: True)
LIGHT = Workload("light", "light: track k on 16th k", lambda track, step: track == step)
WORKLOADS = (DENSE, LIGHT)


def step_seconds(tempo):
    return 60.0 / tempo / 4


def _element(parent, tag, text=None, **attributes):
    node = ET.SubElement(parent, tag, {k: str(v) for k, v in attributes.items()})
    if text is not None:
        node.text = str(text)
    return node


def _fields(parent, **fields):
    for tag, value in fields.items():
        _element(parent, tag, value)


def _peer_instrument(parent, number, sample, kit):
    instrument = _element(parent, "instrument")
    _fields(instrument, id=number, name=sample, drumkit=kit)
    # 2: the kit is looked up among the system's kits, where the package puts it.
    _fields(instrument, drumkitLookup=2, volume=1, isMuted="false", isSoloed="false", pan=0, gain=1)
    _fields(instrument, applyVelocity="true", filterActive="false", filterCutoff=1, filterResonance=0)
    _fields(instrument, Attack=0, Decay=0, Sustain=1, Release=1000, muteGroup=-1, isStopNote="false")
    component = _element(instrument, "instrumentComponent")
    _fields(component, component_id=0, gain=1)
    layer = _element(component, "layer")
    _fields(layer, filename=sample, min=0, max=1, gain=1, pitch=0)


def _peer_note(parent, step, track):
    note = _element(parent, "note")
    _fields(note, position=step * PEER_TICKS_PER_STEP, leadlag=0, velocity=PEER_VELOCITY, pan=0, pitch=0)
    _fields(note, probability=1, key="C0", length=-1, instrument=track, note_off="false")


def peer_song(workload, samples, kit, bars, tempo):
    """The peer's song: instrument k plays samples[k] of the system kit `kit`,
    the workload's bar repeated `bars` times in song mode."""
    song = ET.Element("song")
    _fields(song, version="1.2.0", bpm=tempo, volume=0.5, metronomeVolume=0, name=workload.name)
    _fields(song, loopEnabled="false", mode="song", humanize_time=0, humanize_velocity=0, swing_factor=0)
    component = _element(_element(song, "componentList"), "drumkitComponent")
    _fields(component, id=0, name="Main", volume=1)
    instruments = _element(song, "instrumentList")
    for number, sample in enumerate(samples):
        _peer_instrument(instruments, number, sample, kit)
    pattern = _element(_element(song, "patternList"), "pattern")
    _fields(pattern, name="Bar", category="", size=STEPS * PEER_TICKS_PER_STEP, denominator=4)
    notes = _element(pattern, "noteList")
    for step in range(STEPS):
        for track in workload.tracks(step):
            _peer_note(notes, step, track)
    _element(song, "virtualPatternList")
    sequence = _element(song, "patternSequence")
    for _ in range(bars):
        _fields(_element(sequence, "group"), patternID="Bar")
    return '<?xml version="1.0" encoding="UTF-8"?>\n' + ET.tostring(song, encoding="unicode") + "\n"


def _our_velocities(workload, track):
    velocities = [0] * 128
    for step in range(STEPS):
        if track in workload.tracks(step):
            velocities[step * OUR_STEPS_PER_STEP] = OUR_VELOCITY
    return "".join(f"{v:02X}" for v in velocities)


def our_pattern(workload):
    """Our pattern document of the workload's bar."""
    preset = ET.Element("preset", owner="Trommik2")
    pattern = _element(preset, "pattern", version="1.000000", name=workload.name, shuffle=0, numbars=1, resolution=16)
    tracks = _element(pattern, "tracks")
    for track in range(TRACKS):
        node = _element(tracks, "track", number=track, random="0.000000")
        _element(node, "velocity", _our_velocities(workload, track))
    return '<?xml version="1.0" ?>\n' + ET.tostring(preset, encoding="unicode") + "\n"
