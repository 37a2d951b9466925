"""Start-up time and peak memory of rongxi against a bare Qt window.

Both programs run on one private X server, alternating, ROUNDS times each.
A round measures the wall time from launch until the window is mapped and
its captions are painted, then closes the window the way a window manager
does and takes the process's peak resident set size from the kernel.

Wall time on a shared machine is noisy, so the instructions each program
runs from its start to its painted window are counted too, under valgrind's
callgrind: the same on every run.
"""

import glob
import os
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X
from support.xsession import XSession

ROUNDS = int(os.environ.get("ROUNDS", "20"))
POLL_SECONDS = 0.001
# Both windows draw the caption 输入开奖号 in this strip (x, y, width, height),
# with all the rest, in the same flush. A window that is mapped but not yet
# painted shows black there, so "painted" means light background and dark
# caption ink side by side. A small strip keeps each poll well under 1 ms.
CAPTION_STRIP = (8, 0, 80, 14)
INK_PIXELS = 40
BACKGROUND_PIXELS = 200


def painted_window(x, pid):
    """The program's window once it is mapped and shows its captions."""
    pid_atom = x.intern_atom("_NET_WM_PID")
    for child in x.screen().root.query_tree().children:
        owner = child.get_full_property(pid_atom, X.AnyPropertyType)
        if not owner or owner.value[0] != pid:
            continue
        if child.get_attributes().map_state != X.IsViewable:
            return None
        data = child.get_image(*CAPTION_STRIP, X.ZPixmap, 0xFFFFFFFF).data
        brightness = [data[i] + data[i + 1] + data[i + 2] for i in range(0, len(data), 4)]
        ink = sum(1 for b in brightness if b < 240)
        background = sum(1 for b in brightness if b > 600)
        return child if ink >= INK_PIXELS and background >= BACKGROUND_PIXELS else None
    return None


def measure(session, binary):
    x = session.x()
    start = time.perf_counter()
    program = subprocess.Popen([binary], env=session.env, stdin=subprocess.DEVNULL)
    while (window := painted_window(x, program.pid)) is None:
        if program.poll() is not None:
            raise RuntimeError(f"{binary} ended early")
        time.sleep(POLL_SECONDS)
    elapsed = time.perf_counter() - start
    session.close_window(window)
    _, status, usage = os.wait4(program.pid, 0)
    if status != 0:
        raise RuntimeError(f"{binary} ended with status {status}")
    return elapsed * 1000, usage.ru_maxrss / 1024


def instructions_to_painted_window(session, binary):
    """Instructions run from the program's start until its window is painted."""
    with tempfile.TemporaryDirectory() as temp:
        program = subprocess.Popen(
            ["valgrind", "--tool=callgrind", f"--callgrind-out-file={temp}/out.%p", binary],
            env=session.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        while (window := painted_window(session.x(), program.pid)) is None:
            if program.poll() is not None:
                raise RuntimeError(f"{binary} ended early under callgrind")
            time.sleep(0.01)
        subprocess.run(["callgrind_control", "--dump", str(program.pid)], check=True,
                       stdout=subprocess.DEVNULL)
        dumps = []
        while not dumps:
            dumps = [path for path in glob.glob(f"{temp}/out.{program.pid}.*")]
            time.sleep(0.05)
        session.close_window(window)
        program.wait()
        while True:  # a dump is complete once its totals are written
            with open(dumps[0]) as f:
                totals = [line for line in f if line.startswith(("totals:", "summary:"))]
            if totals:
                return int(totals[0].split()[1])
            time.sleep(0.05)


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    programs = {"rongxi": os.path.join(build, "rongxi"),
                "baseline": os.path.join(build, "bench", "baseline_window")}
    times = {name: [] for name in programs}
    memory = {name: [] for name in programs}
    with XSession() as session:
        for name, binary in programs.items():  # warm the file cache once
            measure(session, binary)
        for round_number in range(ROUNDS):
            order = list(programs) if round_number % 2 == 0 else list(reversed(programs))
            for name in order:
                elapsed, rss = measure(session, programs[name])
                times[name].append(elapsed)
                memory[name].append(rss)

    print(f"Start-up on Xvfb, {ROUNDS} rounds each, alternating (medians):")
    print(f"{'program':<10} {'to painted window':>18} {'peak RSS':>10}")
    for name in programs:
        print(f"{name:<10} {statistics.median(times[name]):15.1f} ms "
              f"{statistics.median(memory[name]):7.1f} MiB")
    time_ratio = statistics.median(times["rongxi"]) / statistics.median(times["baseline"])
    rss_ratio = statistics.median(memory["rongxi"]) / statistics.median(memory["baseline"])
    print(f"ratio rongxi/baseline: start-up {time_ratio:.3f} (target <= 1.05), "
          f"peak RSS {rss_ratio:.3f} (target <= 1.10)")

    with XSession() as session:
        counts = {name: instructions_to_painted_window(session, binary)
                  for name, binary in programs.items()}
    print()
    print("Instructions from start to painted window (callgrind):")
    for name in programs:
        print(f"{name:<10} {counts[name] / 1e6:10.1f} M")
    print(f"ratio rongxi/baseline: instructions {counts['rongxi'] / counts['baseline']:.3f} "
          f"(target <= 1.05)")


if __name__ == "__main__":
    main()
