"""The two renderers side by side: the peer's command-line exporter and our
development host, each fed the same songs and timed the same way."""

import os
import re
import resource
import shutil
import subprocess
import time
import wave
from pathlib import Path

import songs

RATE = 44100
PEER_DATA = Path("/usr/share/hydrogen/data")
KIT = "VariBreaks"


class Render:
    """One finished render: its file, the audio seconds it holds and what it cost."""

    def __init__(self, path, cpu_s, wall_s):
        self.path, self.cpu_s, self.wall_s = path, cpu_s, wall_s
        with wave.open(str(path), "rb") as w:
            if w.getframerate() != RATE or w.getsampwidth() != 2:
                raise RuntimeError(f"{path}: not 16-bit audio at {RATE} Hz")
            self.audio_s = w.getnframes() / RATE


def run_timed(command, log, env=None):
    """Runs command to its end; its CPU seconds (user and system, all its
    threads) and wall seconds. A failure raises with the end of its output."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    with open(log, "w") as out:
        code = subprocess.call(command, stdout=out, stderr=subprocess.STDOUT, env=env)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    if code != 0:
        tail = Path(log).read_text(errors="replace")[-2000:]
        raise RuntimeError(f"{command[0]} failed with status {code}:\n{tail}")
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return cpu, wall


def kit_samples():
    """The kit's sample files, sorted by name: the order our import gives the tracks."""
    return sorted((PEER_DATA / "drumkits" / KIT).glob("*.flac"))


class PeerRenderer:
    """Hydrogen's h2cli, with a preferences file of its own per block size in a
    scratch home folder."""

    title = "Hydrogen `h2cli`"

    def __init__(self, scratch):
        self._folder = scratch / "peer"
        self._folder.mkdir()
        self._songs = {}

    def prepare(self, workloads, lengths, tempo):
        names = [sample.name for sample in kit_samples()]
        for workload in workloads:
            for bars in lengths:
                path = self._folder / f"{workload.name}-{bars}.h2song"
                path.write_text(songs.peer_song(workload, names, KIT, bars, tempo))
                self._songs[workload.name, bars] = path

    def _home(self, block):
        """A home folder whose preferences set the block size and the ALSA driver."""
        home = self._folder / f"home-{block}"
        preferences = home / ".hydrogen" / "hydrogen.conf"
        if not preferences.exists():
            text = (PEER_DATA / "hydrogen.default.conf").read_text()
            text = re.sub(r"<buffer_size>\d+</buffer_size>", f"<buffer_size>{block}</buffer_size>", text)
            text = re.sub(r"<audio_driver>\w+</audio_driver>", "<audio_driver>ALSA</audio_driver>", text)
            preferences.parent.mkdir(parents=True)
            preferences.write_text(text)
        return home

    def render(self, workload, bars, block, out):
        env = dict(os.environ, HOME=str(self._home(block)), JACK_NO_START_SERVER="1")
        song = self._songs[workload.name, bars]
        command = ["h2cli", "-d", "alsa", "-s", str(song), "-o", str(out), "-r", str(RATE), "-b", "16"]
        return Render(out, *run_timed(command, out.with_suffix(".log"), env))


class OurRenderer:
    """trommik2-host with a scratch copy of the built module and its content
    tree, into which the kit's samples are imported."""

    title = "Trommik2"

    def __init__(self, scratch, build):
        self._folder = scratch / "ours"
        self._build = build
        self._module = self._folder / "module" / "Trommik2.syn"
        self._patterns = {}
        self._tempo = None

    def _host(self, *arguments):
        return [str(self._build / "trommik2-host"), "--module", str(self._module), *arguments]

    def _import_kit(self):
        samples = self._folder / "samples" / KIT
        samples.mkdir(parents=True)
        for flac in kit_samples():
            wav = samples / (flac.stem + ".wav")
            subprocess.run(["sndfile-convert", "-pcm16", str(flac), str(wav)], check=True)
        done = subprocess.run(self._host("import", str(samples)), check=True, capture_output=True, text=True)
        imported = re.findall(r"^track +\d+: [^\\]*\\(.*)$", done.stdout, re.MULTILINE)
        if imported != [flac.stem for flac in kit_samples()]:
            raise RuntimeError(f"the import put the samples on other tracks than the peer's song:\n{done.stdout}")

    def prepare(self, workloads, lengths, tempo):
        module = self._module.parent
        module.mkdir(parents=True)
        for name in ("Trommik2.syn", "libmmio.so"):
            shutil.copy2(self._build / name, module)
        shutil.copytree(self._build / "Trommik2", module / "Trommik2")
        self._import_kit()
        self._tempo = tempo
        for workload in workloads:
            path = self._folder / f"{workload.name}.tm2pat"
            path.write_text(songs.our_pattern(workload))
            self._patterns[workload.name] = path

    def render(self, workload, bars, block, out):
        pattern = self._patterns[workload.name]
        command = self._host("render", "-o", str(out), "--bars", str(bars), "--tempo", str(self._tempo),
                             "--block", str(block), "--kit", KIT, "--pattern", str(pattern), "--format", "pcm16")
        return Render(out, *run_timed(command, out.with_suffix(".log")))
