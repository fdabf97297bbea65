#!/usr/bin/python3
"""The side-by-side benchmark against a peer drum machine (`make bench-peers`).

Renders the same two songs (songs.py) with the peer's command-line exporter and
with our development host at two block sizes, checks that every render has its
hits, and prints the real-time factors as a Markdown table.

The real-time factor is rendered audio seconds per CPU second (user and
system, all threads) of the renderer's process. CPU time rather than wall
time, because this machine is shared: wall time counts the moments another
process had the core. Both renderers work on one thread at a time (the peer's
other threads sleep), so CPU time charges neither for parallel work. Start-up
(loading the program, the kit and the song) is taken out: every case renders
the song also one bar long, and the factor is the difference in audio of the
two renders over the difference of their median CPU times."""

import argparse
import datetime
import os
import platform
import shutil
import statistics
import subprocess
import sys
import tempfile
from pathlib import Path

import onsets
import renderers
import songs

HERE = Path(__file__).resolve().parent
BLOCKS = (1024, 64)
TEMPO = 120
SHORT_BARS = 1


def install_packages():
    """Installs the benchmark's Debian packages that are missing."""
    lines = (HERE / "packages.txt").read_text().splitlines()
    wanted = [line.strip() for line in lines if line.strip() and not line.startswith("#")]
    missing = [p for p in wanted if "install ok installed" not in subprocess.run(
        ["dpkg-query", "-W", "-f=${Status}", p], capture_output=True, text=True).stdout]
    if not missing:
        return
    if os.geteuid() != 0:
        sys.exit(f"bench-peers: missing packages: {' '.join(missing)}; run as root or install them")
    print(f"bench-peers: installing {' '.join(missing)}", file=sys.stderr)
    quiet = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    subprocess.run(["apt-get", "update", "-qq"], env=quiet, stdout=subprocess.DEVNULL)
    # Others may be installing too: wait for the package database rather than fail.
    subprocess.run(["apt-get", "install", "-y", "-qq", "--no-install-recommends", "-o", "DPkg::Lock::Timeout=600",
                    *missing], env=quiet, stdout=subprocess.DEVNULL, check=True)


class Case:
    """One workload at one block size: both renderers' renders over the runs."""

    def __init__(self, workload, block):
        self.workload, self.block = workload, block
        self.renders = {}  # renderer title -> (song render, one-bar render) per run
        self.hits = {}  # renderer title -> onsets found in the first run

    def add(self, title, long, short):
        self.renders.setdefault(title, []).append((long, short))

    def _median(self, title, figure):
        return statistics.median(figure(*pair) for pair in self.renders[title])

    def factor(self, title):
        """Audio over CPU seconds, start-up taken out: the difference in audio
        (the same in every run) over the difference of the median CPU times."""
        audio = self._median(title, lambda long, short: long.audio_s - short.audio_s)
        cpu = self._median(title, lambda long, short: long.cpu_s) - self._median(title, lambda long, short: short.cpu_s)
        return audio / cpu

    def gross_factor(self, title):
        """With start-up: the song's audio over its render's CPU seconds."""
        return self._median(title, lambda long, short: long.audio_s / long.cpu_s)

    def startup(self, title):
        """The one-bar render's CPU seconds less those of its audio."""
        return self._median(title, lambda long, short: short.cpu_s - short.audio_s / self.factor(title))

    def cpu_seconds(self, title):
        return [(long.cpu_s, short.cpu_s) for long, short in self.renders[title]]


class Failure(Exception):
    pass


def check_hits(render, workload, bars, title):
    """The number of hits in the render; raises when they are not the song's."""
    expected = workload.hit_times(bars, TEMPO)
    found = onsets.onset_times(*onsets.read_mono(render.path))
    problems = onsets.mismatches(found, expected)
    if problems:
        shown = "\n  ".join(problems[:10])
        raise Failure(f"{title}, {workload.name}, {render.path.name}: {len(found)} hits found, "
                      f"{len(expected)} expected ({len(problems)} problems):\n  {shown}")
    return len(found)


def measure(render_with, cases, bars, runs, out):
    """Renders every case with every renderer runs times, interleaved so that a
    slow spell of the machine falls on both alike."""
    for run in range(runs):
        print(f"bench-peers: run {run + 1} of {runs}", file=sys.stderr)
        for case in cases:
            for renderer in render_with:
                name = f"{renderer.title.split()[0].lower()}-{case.workload.name}-{case.block}"
                long = renderer.render(case.workload, bars, case.block, out / f"{name}.wav")
                short = renderer.render(case.workload, SHORT_BARS, case.block, out / f"{name}-short.wav")
                case.add(renderer.title, long, short)
                if run == 0:
                    case.hits[renderer.title] = check_hits(long, case.workload, bars, renderer.title)


def cpu_model():
    for line in Path("/proc/cpuinfo").read_text().splitlines():
        if line.startswith("model name"):
            return line.split(":", 1)[1].strip()
    return platform.processor()


def print_runs(cases):
    for case in cases:
        for title in case.renders:
            runs = ", ".join(f"{long:.2f}/{short:.2f}" for long, short in case.cpu_seconds(title))
            print(f"bench-peers: CPU seconds of {title}, {case.workload.name}, {case.block}, song/one bar: {runs}",
                  file=sys.stderr)


def table(cases, peer, ours, bars, runs):
    seconds = bars * 4 * 60 // TEMPO
    rows = [
        f"{seconds} s at {TEMPO} BPM of the {renderers.KIT} kit, real-time factor (median of {runs} runs), "
        f"{datetime.date.today()}, {cpu_model()}, {os.cpu_count()} cores:",
        "",
        f"| workload | block | {peer.title} | {ours.title} | ours / peer | hits found (peer, ours; expected) |",
        "|---|---|---|---|---|---|",
    ]
    for case in cases:
        p, o = case.factor(peer.title), case.factor(ours.title)
        expected = len(case.workload.hit_times(bars, TEMPO))
        p_gross, o_gross = case.gross_factor(peer.title), case.gross_factor(ours.title)
        rows.append(f"| {case.workload.title} | {case.block} | {p:.1f}× ({p_gross:.1f}×) "
                    f"| {o:.1f}× ({o_gross:.1f}×) | {o / p:.2f} ({o_gross / p_gross:.2f}) "
                    f"| {case.hits[peer.title]}, {case.hits[ours.title]}; {expected} |")
    startup = {r.title: statistics.median(c.startup(r.title) for c in cases) for r in (peer, ours)}
    rows += ["", f"In brackets: with start-up, which costs (median CPU time) {peer.title} {startup[peer.title]:.2f} s "
             f"and {ours.title} {startup[ours.title]:.2f} s per render."]
    return "\n".join(rows)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", type=Path, default=Path("build"), help="our build folder (default: build)")
    parser.add_argument("--runs", type=int, default=5, help="renders per case (default: 5)")
    parser.add_argument("--bars", type=int, default=30, help="length of the songs in bars (default: 30, 60 s)")
    parser.add_argument("--keep", action="store_true", help="keep the scratch folder with the songs and renders")
    args = parser.parse_args()
    if args.bars <= SHORT_BARS or args.runs < 1:
        parser.error(f"--bars must be above {SHORT_BARS} and --runs at least 1")
    if not (args.build / "trommik2-host").exists():
        parser.error(f"no trommik2-host in {args.build}: build first (make build)")
    install_packages()
    scratch = Path(tempfile.mkdtemp(prefix="trommik2-peers-"))
    try:
        peer, ours = renderers.PeerRenderer(scratch), renderers.OurRenderer(scratch, args.build.resolve())
        for renderer in (peer, ours):
            renderer.prepare(songs.WORKLOADS, (args.bars, SHORT_BARS), TEMPO)
        cases = [Case(w, b) for w in songs.WORKLOADS for b in BLOCKS]
        (scratch / "out").mkdir()
        measure((peer, ours), cases, args.bars, args.runs, scratch / "out")
    except Exception as failure:  # whatever it was, the scratch folder shows what had been done
        sys.exit(f"bench-peers: {type(failure).__name__}: {failure}\nsongs, renders and logs are in {scratch}")
    print_runs(cases)
    print(table(cases, peer, ours, args.bars, args.runs))
    if args.keep:
        print(f"bench-peers: songs and renders kept in {scratch}", file=sys.stderr)
    else:
        shutil.rmtree(scratch)


if __name__ == "__main__":
    main()
