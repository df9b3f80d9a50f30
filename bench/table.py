#!/usr/bin/env python3
"""Runs the speed benchmarks five times and prints min / median against the goals."""
import json
import statistics
import subprocess
import sys

ROWS = [
    # label, benchmark name prefix, counter shown beside the time (or None), goal
    ("cut 2,000 pieces (1600 x 1280, 32-px cells, 8 sets), rotation + bevel",
     "BM_CutBoard/cell:32/rotation:1/", "MB", "<= 300 ms, <= 200 MB"),
    ("cut 2,000 pieces, no rotation", "BM_CutBoard/cell:32/rotation:0/", "MB", "-"),
    ("the same, 8,000 pieces (16-px cells), rotation + bevel",
     "BM_CutBoard/cell:16/rotation:1/", "MB", "<= 1200 ms, <= 600 MB"),
    ("8,000 pieces, no rotation", "BM_CutBoard/cell:16/rotation:0/", "MB", "-"),
    ("scatter of 32,000 pieces (frozen after loading)", "BM_Scatter32000", None, "<= 100 ms"),
    ("one 1920 x 1080 frame, 2,000 pieces on the board (composing)", "BM_FrameAtRest", None,
     "<= 4 ms in the real game"),
    ("drag move, one piece of 2,000 (redraw and present the changed part)", "BM_DragOnePiece", None, "<= 1 ms"),
    ("drag move, a 200-piece group (the same)", "BM_DragABigGroup", None, "<= 2 ms"),
    ("drag move, one piece of 10,000 cut small (the same)", "BM_DragOneOf10000", None, "<= 4 ms"),
]

# Start-up: the game started and shut down again several times per repetition, each sample
# from GameStartup to the loader's end handled; beside the wall clock, the CPU time of the
# whole process (all threads), which load on the machine disturbs less.
STARTUP_ROWS = [
    ("start to loaded, 2,000 pieces with rotation", "BM_StartToLoaded/rotation:1/pieces:2000/", "<= 400 ms"),
    ("start to loaded, 2,000 pieces, no rotation", "BM_StartToLoaded/rotation:0/pieces:2000/", "-"),
    ("start to playable, 32,000 pieces (3200 x 2560, small)", "BM_StartToLoaded/rotation:0/pieces:32000/",
     "<= 2000 ms, never frozen > 100 ms"),
]


def print_startup_rows(program):
    out = subprocess.run([program, "--benchmark_repetitions=5", "--benchmark_format=json",
                          "--benchmark_filter=BM_StartToLoaded"], check=True, capture_output=True, text=True).stdout
    runs = [b for b in json.loads(out)["benchmarks"] if b.get("run_type") == "iteration"]
    for label, prefix, goal in STARTUP_ROWS:
        found = [b for b in runs if b["name"].startswith(prefix)]
        if not found:
            print(f"| {label} | not run | {goal} |")
            continue
        times = [b["real_time"] for b in found]  # milliseconds
        cpu = [b["processCpuMs"] for b in found]
        frozen = max(b["longestStepMs"] for b in found)
        print(f"| {label} | {min(times):.0f} / {statistics.median(times):.0f} ms "
              f"(process CPU {min(cpu):.0f} / {statistics.median(cpu):.0f}; longest frozen {frozen:.0f}) | {goal} |")


def main():
    program = sys.argv[1] if len(sys.argv) > 1 else "build-release/bench/pictorra_bench"
    pattern = "BM_CutBoard|BM_Scatter32000|BM_FrameAtRest|BM_Drag"
    out = subprocess.run([program, "--benchmark_repetitions=5", "--benchmark_format=json",
                          "--benchmark_filter=" + pattern], check=True, capture_output=True, text=True).stdout
    runs = [b for b in json.loads(out)["benchmarks"] if b.get("run_type") == "iteration"]
    print("| What | min / median (wall clock) | Goal |")
    print("|---|---|---|")
    for label, prefix, counter, goal in ROWS:
        found = [b for b in runs if b["name"].startswith(prefix)]
        if not found:
            print(f"| {label} | not run | {goal} |")
            continue
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[found[0]["time_unit"]]
        times = [b["real_time"] * scale for b in found]
        text = f"{min(times):.2f} / {statistics.median(times):.2f} ms"
        if counter:
            mb = [b.get(counter, 0) for b in found]
            text += f", {max(mb):.0f} MB"
        else:  # one thread: its CPU time shows the work when other programs share the cores
            cpu = [b["cpu_time"] * scale for b in found]
            text += f" (CPU {min(cpu):.2f} / {statistics.median(cpu):.2f})"
        print(f"| {label} | {text} | {goal} |")
    print_startup_rows(program)


if __name__ == "__main__":
    main()
