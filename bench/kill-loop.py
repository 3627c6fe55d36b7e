#!/usr/bin/env python3
"""Kills `zovek-cli set` with SIGKILL at random moments of its write, over and
over, and after every run checks the card and the backups folder: the card
must hold its save as before or as after (never torn), and every file with a
backup's name must be a whole card. Prints what it saw.

    python3 bench/kill-loop.py ZOVEK_CLI [RUNS]     (default 1000 runs)
"""
import os, random, shutil, signal, subprocess, sys, tempfile, time

cli, runs = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 1000
examples = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples")
work = tempfile.mkdtemp(prefix="zovek-kill-")
card = os.path.join(work, "card.mcr")
shutil.copy(os.path.join(examples, "demo.mcr"), card)
env = dict(os.environ, XDG_DATA_HOME=os.path.join(work, "data"))
backups = os.path.join(work, "data", "zovek", "backups")

def read(path):
    with open(path, "rb") as f:
        return f.read()

def sound(path):
    return subprocess.run([cli, "verify", path], env=env, capture_output=True).returncode == 0

def chips(path):
    out = subprocess.run([cli, "dump", path, "--json"], env=env, capture_output=True, text=True).stdout
    import json
    return json.loads(out)["chips"]

# How long a whole run takes here: the kills fall anywhere within it.
durations = []
for value in range(5):
    start = time.monotonic()
    subprocess.run([cli, "set", card, f"chips={value}"], env=env, capture_output=True)
    durations.append(time.monotonic() - start)
span = sorted(durations)[2]

seen = {"before": 0, "after": 0, "torn": 0, "killed": 0, "finished": 0}
partial_backups = part_files = 0
for run in range(runs):
    before = read(card)
    value = 1000 + run
    process = subprocess.Popen([cli, "set", card, f"chips={value}"], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(random.uniform(0, span))
    process.send_signal(signal.SIGKILL)
    process.wait()
    seen["killed" if process.returncode == -signal.SIGKILL else "finished"] += 1
    now = read(card)
    if now == before:
        seen["before"] += 1
    elif sound(card) and chips(card) == value and len(now) == len(before):
        seen["after"] += 1
    else:
        seen["torn"] += 1
    if os.path.isdir(backups):
        for name in os.listdir(backups):
            path = os.path.join(backups, name)
            if name.endswith(".part"):
                part_files += 1
            elif name.endswith(".bak") and (len(read(path)) != len(before) or not sound(path)):
                partial_backups += 1
whole = len([n for n in os.listdir(backups) if n.endswith(".bak")]) if os.path.isdir(backups) else 0
print(f"{runs} runs of about {span * 1000:.1f} ms: {seen['killed']} killed, {seen['finished']} finished first")
print(f"card after each run: as before {seen['before']}, as after {seen['after']}, torn {seen['torn']}")
print(f"backups: {partial_backups} partial under a backup's name; temporary files seen {part_files} times; "
      f"{whole} whole backups kept at the end")
shutil.rmtree(work)
sys.exit(1 if seen["torn"] or partial_backups else 0)
