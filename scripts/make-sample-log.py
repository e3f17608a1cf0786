#!/usr/bin/env python3
"""Writes a Windows Unimodem log of about two years of dial-up sessions.

The layout is the one the built-in "Windows Dial-Up Networking" format reads:
date in columns 1-10 (MM-DD-YYYY), time in 12-23, " - " and the message from
column 27. Deterministic: the same arguments give the same file.

usage: make-sample-log.py OUTPUT [--from YYYY-MM-DD] [--days N] [--seed N]
"""
import argparse
import datetime
import random

SPEEDS = ["28800", "31200", "33600", "44000", "46666", "49333", "50666", "52000"]


def stamp(moment):
    return moment.strftime("%m-%d-%Y %H:%M:%S.") + "%03d" % (moment.microsecond // 1000)


def session(out, rng, start, number):
    t = start

    def line(text, advance_ms=None):
        nonlocal t
        out.write("%s - %s\r\n" % (stamp(t), text))
        t += datetime.timedelta(milliseconds=advance_ms if advance_ms is not None else rng.randint(5, 400))

    line("Opening Modem")
    line("Initializing modem.")
    line("Send: AT<cr>")
    line("Recv: AT<cr>")
    line("Interpreted response: OK")
    line("Send: AT&FE0V1&C1&D2S95=47S0=0<cr>")
    line("Interpreted response: OK")
    line("Dialing.")
    line("Send: ATDT%s<cr>" % number, rng.randint(15000, 30000))
    if rng.random() < 0.08:  # busy line or no answer: an end line with nothing pending
        line("Recv: <cr><lf>NO CARRIER<cr><lf>")
        line("Interpreted response: No Carrier")
        line("Session Statistics:")
        return t
    speed = rng.choice(SPEEDS)
    line("Recv: <cr><lf>CONNECT %s<cr><lf>" % speed)
    line("Interpreted response: Connect")
    line("Connection established at %sbps." % speed)
    line("Error-control on.")
    line("Data compression on.")
    minutes = rng.choice([rng.randint(1, 15), rng.randint(10, 60), rng.randint(30, 180)])
    length = datetime.timedelta(seconds=minutes * 60 + rng.randint(0, 59))
    reads = min(int(length.total_seconds() // 120), 4)
    for k in range(reads):
        t += length / (reads + 1)
        total = rng.randint(100000, 900000) * (k + 1)
        line("Read: Total: %d, Per/Sec: %d, Written: Total: %d, Per/Sec: 0"
             % (total, rng.randint(1, 4000), total // 9))
    t = start + length
    line("Hanging up the modem.")
    line("Hardware hangup by lowering DTR.")
    line("Recv: <cr><lf>NO CARRIER<cr><lf>")
    line("Interpreted response: No Carrier")
    line("Session Statistics:")
    return t


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("output")
    parser.add_argument("--from", dest="start", default="2024-12-01")
    parser.add_argument("--days", type=int, default=731)
    parser.add_argument("--seed", type=int, default=1997)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    day = datetime.datetime.strptime(args.start, "%Y-%m-%d")
    with open(args.output, "w", newline="") as out:
        for _ in range(args.days):
            weekend = day.weekday() >= 5
            count = rng.choice([0, 1, 1, 2, 2, 3] if weekend else [0, 1, 1, 1, 2])
            hours = sorted(rng.sample(range(7, 24), count))
            last_end = day
            for hour in hours:
                begin = day + datetime.timedelta(hours=hour, minutes=rng.randint(0, 59),
                                                 seconds=rng.randint(0, 59),
                                                 milliseconds=rng.randint(0, 999))
                if begin <= last_end:
                    continue
                number = "5551234" if rng.random() < 0.85 else "5559876"
                last_end = session(out, rng, begin, number)
            day += datetime.timedelta(days=1)


if __name__ == "__main__":
    main()
