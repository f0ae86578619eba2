#!/usr/bin/env python3
"""What Weston's own timeline says became of every state a session committed.

Usage: weston_timeline.py TIMELINE FRAME_LOG REPORT [--held-back=N]

TIMELINE is Weston's "timeline" debug scope (weston-debug timeline), one JSON object a line:
core_commit_damage for every commit of a surface, core_flush_damage when a commit is taken into
an output's repaint, core_repaint_finished with the output's vblank time. A commit replaced by a
newer one of the same surface before any flush was never on the screen.

FRAME_LOG and REPORT are the program's (MIRELTA_FRAME_LOG, MIRELTA_SESSION_REPORT): every state
with the time of its commit, what it showed, its planned refreshes and what the compositor told
the program of it. Each state is matched to the last commit of the window's surface made by the
time the program logged it; its time on the screen runs from the vblank of the repaint that took
it to the vblank of the repaint that took the next shown state, in output cycles measured from
the timeline's own repaints.

Prints the counts and exits 1 when a state was never on the screen, states stayed other than
their planned refreshes beyond what the refreshes the program itself counted as missed explain
(a busy machine), the session's length strays more than 2 % from its plan, or the program's
report disagrees with the timeline; with --held-back=N, the opposite of one held-back
paint of state N is required: the timeline finds the state before it on the screen longer than
planned, the report counts missed refreshes and lateness, and nothing is lost.
"""
import bisect
import json
import statistics
import sys


def ms(t):
    return t[0] * 1000.0 + t[1] / 1e6


def read_timeline(path):
    surfaces, commits, flushes, vblanks = {}, {}, {}, {}
    with open(path, encoding="utf-8", errors="replace") as lines:
        for line in lines:
            line = line.strip()
            if not line:
                continue
            try:
                event = json.loads(line)
            except json.JSONDecodeError:
                continue  # the last line of a stream cut off at the end
            if "id" in event and event.get("type") == "weston_surface":
                surfaces[event["id"]] = event.get("desc", "")
            name = event.get("N")
            if name == "core_commit_damage":
                commits.setdefault(event["ws"], []).append(ms(event["T"]))
            elif name == "core_flush_damage":
                flushes.setdefault(event["ws"], []).append((ms(event["T"]), event["wo"]))
            elif name == "core_repaint_finished":
                vblanks.setdefault(event["wo"], []).append(ms(event["vblank_monotonic"]))
    return surfaces, commits, flushes, vblanks


def read_report(path):
    report = {}
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            words = line.split()
            if len(words) == 2:
                report[words[0]] = words[1]
    return report


def read_frame_log(path):
    states = []
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            words = line.split()
            if len(words) >= 5:
                states.append({"at": float(words[0]), "what": words[1], "presented": words[3],
                               "planned": int(words[4])})
    return states


def bursts_only(surfaces, commits, flushes):
    """For a program that reports nothing of its own: the window's bursts of commits, and how
    many of them a newer one replaced before any repaint took them."""
    window = max((s for s in commits if "Мирельта" in (surfaces.get(s) or "")),
                 key=lambda s: len(commits[s]))
    times = sorted(commits[window])
    bursts = []
    for t in times:
        if bursts and t - bursts[-1][-1] < 2.0:
            bursts[-1].append(t)
        else:
            bursts.append([t])
    taken = sorted(t for t, _ in flushes.get(window, []))
    never = 0
    for index, burst in enumerate(bursts):
        end = bursts[index + 1][0] if index + 1 < len(bursts) else 1e18
        position = bisect.bisect_left(taken, burst[-1])
        if position >= len(taken) or taken[position] >= end:
            never += 1
    print(f"bursts of commits: {len(bursts)}, never on the screen: {never}")
    return 0


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    held_back = next((int(a.split("=")[1]) for a in sys.argv if a.startswith("--held-back=")), 0)
    expect_held_back = held_back > 0
    surfaces, commits, flushes, vblanks = read_timeline(args[0])
    if "--bursts-only" in sys.argv:
        return bursts_only(surfaces, commits, flushes)
    states = read_frame_log(args[1])
    report = read_report(args[2])
    origin = float(report["first_state_clock_ms"])
    problems = []

    # The window: the surface whose commits the states were.
    first = origin
    window = min(commits, key=lambda s: min((abs(t - first) for t in commits[s]), default=1e9))
    window_commits = sorted(commits[window])
    window_flushes = sorted(flushes.get(window, []))
    output = window_flushes[0][1] if window_flushes else None
    output_vblanks = sorted(vblanks.get(output, []))
    # The output's cycle, from its repaints while the session ran.
    during = [v for v in output_vblanks if first - 1 <= v <= first + states[-1]["at"] + 1000]
    gaps = [b - a for a, b in zip(during, during[1:])]
    cycle = statistics.median(gaps) if gaps else float(report["refresh_ms"])

    # The program commits once a refresh, so each commit stands alone.
    bursts = [[t] for t in window_commits]
    burst_starts = [b[0] for b in bursts]

    def vblank_of_burst(index):
        """The vblank of the repaint that took burst `index`, or None if it was replaced unseen."""
        last = bursts[index][-1]
        end = bursts[index + 1][0] if index + 1 < len(bursts) else 1e18
        for t, _ in window_flushes:
            if last <= t < end:
                return next((v for v in output_vblanks if v >= t), None)
        return None

    # The program logs a state as its commit begins: the first commit from then on is the
    # state's.
    shown, never, vblank_of = 0, 0, []
    for state in states:
        logged = origin + state["at"] - 0.5
        index = bisect.bisect_left(burst_starts, logged)
        vblank = vblank_of_burst(index) if index < len(bursts) else None
        vblank_of.append(vblank)
        if vblank is None:
            never += 1
        else:
            shown += 1

    # Each non-rest state stays until the next shown non-rest state; a rest belongs to its state.
    off_plan = []
    held = [i for i, s in enumerate(states) if s["what"] != "rest"]
    for position, i in enumerate(held[:-1]):
        j = held[position + 1]
        if vblank_of[i] is None or vblank_of[j] is None:
            continue
        refreshes = round((vblank_of[j] - vblank_of[i]) / cycle)
        if refreshes != states[i]["planned"]:
            off_plan.append((i, states[i]["what"], states[i]["planned"], refreshes))

    # Each kind's refreshes on the screen, by the timeline; the report counts the same from the
    # compositor's answers.
    timeline_kinds = {}
    for position, i in enumerate(held):
        j = held[position + 1] if position + 1 < len(held) else None
        if j is not None and vblank_of[i] is not None and vblank_of[j] is not None:
            kind = states[i]["what"]
            timeline_kinds[kind] = timeline_kinds.get(kind, 0) + round(
                (vblank_of[j] - vblank_of[i]) / cycle)
    report_kinds = {}
    with open(args[2], encoding="utf-8") as lines:
        for line in lines:
            words = line.split()
            if words and words[0] == "kind":
                report_kinds[words[1]] = int(words[7])

    planned_ms = float(report["planned_ms"])
    session_ms = float(report["session_ms"])
    print(f"timeline: {len(window_commits)} commits of the window, output cycle {cycle:.3f} ms")
    print(f"states: {len(states)} the program committed, {shown} on the screen, {never} never shown")
    print(f"states off their planned refreshes: {len(off_plan)}"
          + "".join(f"; #{i + 1} {w} planned {p} shown {r}" for i, w, p, r in off_plan[:5]))
    print(f"session: {session_ms:.1f} ms for {planned_ms:.1f} ms planned "
          f"({100 * (session_ms / planned_ms - 1):+.2f} %), program's cycle {report['refresh_ms']} ms")
    print("the program's report: " + ", ".join(
        f"{k} {report.get(k)}" for k in ("figures_source", "states_planned", "states_presented",
                                          "states_discarded", "states_unanswered",
                                          "refreshes_missed", "worst_late_ms")))

    if never:
        problems.append(f"{never} states never reached the screen")
    if int(report.get("states_planned", -1)) != len(states):
        problems.append("the report's states_planned is not the frame log's count")
    lost = int(report.get("states_discarded", 0)) + int(report.get("states_unanswered", 0))
    if report.get("figures_source") == "compositor":
        if int(report["states_presented"]) != shown or lost != never:
            problems.append("the program's report disagrees with the timeline on what was shown")
        # State by state: shown in both, at the same vblank.
        for state, vblank in zip(states, vblank_of):
            if (state["presented"] in ("-", "discarded")) != (vblank is None):
                problems.append("a state the program and the timeline disagree on")
                break
        presented = [(float(s["presented"]), v) for s, v in zip(states, vblank_of)
                     if vblank is not None and s["presented"] not in ("-", "discarded")]
        if presented:
            base_p, base_v = presented[0]
            worst = max(abs((p - base_p) - (v - base_v)) for p, v in presented)
            print(f"presentation times: the program's and the timeline's differ by {worst:.3f} ms at most")
            if worst > 1.0:
                problems.append("the compositor's presentation times and the timeline's vblanks differ")
    if report.get("figures_source") == "compositor":
        # The last state's time is the program's to count; every other is the display's.
        last = states[held[-1]]["what"] if held else None
        # (Both round each state's time to whole cycles, of slightly different estimates.)
        differing = [k for k in timeline_kinds if k != last and abs(
            report_kinds.get(k, 0) - timeline_kinds[k]) > max(1, timeline_kinds[k] // 500)]
        print("refreshes on the screen by kind, timeline / report: " + ", ".join(
            f"{k} {timeline_kinds[k]}/{report_kinds.get(k)}" for k in sorted(timeline_kinds)))
        if differing:
            problems.append("the report's refreshes on the screen differ from the timeline's for "
                            + ", ".join(differing))
    if abs(session_ms / planned_ms - 1) > 0.02:
        problems.append("the session strays more than 2 % from its plan")

    if expect_held_back:
        late = float(report.get("worst_late_ms", 0))
        missed = int(report.get("refreshes_missed", 0))
        # The state before the held-back one stayed longer than planned.
        before_held = held_back - 1
        seen = any(i + 1 == before_held for i, _, _, _ in off_plan)
        if never or not seen or late < 30 or missed < 1:
            print(f"expected one held-back state: the timeline found {len(off_plan)} off plan, "
                  f"the report {missed} missed refreshes and {late} ms late")
            return 1
        print(f"the held-back paint: counted by the timeline (state {before_held} off plan) and by the "
              f"report ({missed} refreshes missed, {late:.1f} ms late)")
        return 0
    # A refresh the program answered late shortens one state and lengthens another; the program
    # must have counted every such refresh itself.
    missed = int(report.get("refreshes_missed", 0))
    if len(off_plan) > 2 * missed:
        problems.append(f"{len(off_plan)} states stayed other than their planned refreshes, "
                        f"more than the {missed} refreshes the program counted as missed explain")
    for problem in problems:
        print("FAIL: " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
