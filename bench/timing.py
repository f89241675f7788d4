"""What the benchmark scripts share: timing a command as a user runs it,
medians, two commands timed alternating, and Google Benchmark's JSON."""
import json
import os
import subprocess
import time


def timed(cmd, before=None):
    """Milliseconds a command takes, process start included; a string runs
    through the shell. before() runs first, outside the timing."""
    if before:
        before()
    t = time.perf_counter()
    done = subprocess.run(cmd if isinstance(cmd, list) else ["sh", "-c", cmd], stdout=subprocess.DEVNULL)
    if done.returncode not in (0, 1):   # 1: nothing found, for the searching tools
        raise subprocess.CalledProcessError(done.returncode, cmd)
    return (time.perf_counter() - t) * 1000


def timed_into_pipe(cmd):
    """Milliseconds a command takes writing into a pipe that is read as it
    fills (some tools stop at their first result when writing to /dev/null)."""
    t = time.perf_counter()
    proc = subprocess.Popen(cmd, stdout=subprocess.PIPE)
    while proc.stdout.read(1 << 16):
        pass
    if proc.wait() not in (0, 1):
        raise subprocess.CalledProcessError(proc.returncode, cmd)
    return (time.perf_counter() - t) * 1000


def median(xs):
    return sorted(xs)[len(xs) // 2]


def side_by_side(ours, peer, runs, before=None, timer=None):
    """Medians of both commands, run alternating, so both see the same machine."""
    a, b = [], []
    for _ in range(runs):
        a.append(timer(ours) if timer else timed(ours, before))
        b.append(timer(peer) if timer else timed(peer))
    return median(a), median(b)


def removing(path):
    """A before() that removes a file, so each run starts without it."""
    def remove():
        if os.path.exists(path):
            os.unlink(path)
    return remove


def in_page_cache(paths):
    for path in paths:
        with open(path, "rb") as f:
            f.read()


class Report:
    """The iterations of a Google Benchmark JSON report."""

    def __init__(self, text):
        self.runs = [b for b in json.loads(text)["benchmarks"] if b.get("run_type") == "iteration"]

    def median(self, prefix):
        return median([b["real_time"] for b in self.runs if b["name"].startswith(prefix)])

    def counter(self, prefix, name):
        return [b for b in self.runs if b["name"].startswith(prefix)][0][name]
