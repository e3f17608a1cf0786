#!/usr/bin/env python3
"""Writes a rotated syslog set of three weeks of pppd sessions, as Debian's
rsyslog and logrotate leave it in /var/log: syslog.2.gz, syslog.1, syslog.

Classic syslog lines carry no year ("Dec 29 20:14:03 host pppd[4711]: ...");
each file's modification time is set to its last line, as the machine that
wrote it would have left it, so a reader can tell the year. The three weeks
run over New Year, and one session begins in one file and ends in the next.
Deterministic: the same arguments give the same files.

usage: make-sample-syslog.py FOLDER [--from YYYY-MM-DD] [--seed N]
"""
import argparse
import datetime
import gzip
import os
import random

HOST = "tallybox"
# Two modems: a satellite phone on a serial port, a mobile broadband stick.
MODEMS = ["/dev/ttyS0", "/dev/ttyUSB0"]
NOISE = [
    "CRON[{pid}]: (root) CMD (command -v debian-sa1 > /dev/null && debian-sa1 1 1)",
    "systemd[1]: Starting logrotate.service - Rotate log files...",
    "kernel: [{up}.{frac:06d}] usb 1-1.2: USB disconnect, device number 5",
    "dhclient[{pid}]: DHCPREQUEST for 192.168.1.23 on eth0 to 192.168.1.1 port 67",
]


def stamp(moment):
    # Classic syslog pads the day with a blank: "Jan  2".
    return moment.strftime("%b ") + ("%2d" % moment.day) + moment.strftime(" %H:%M:%S")


def session(lines, rng, start):
    pid = rng.randint(1000, 30000)
    modem = rng.choice(MODEMS)
    t = start

    def log(text, seconds=0):
        nonlocal t
        t += datetime.timedelta(seconds=seconds)
        lines.append((t, "%s %s pppd[%d]: %s" % (stamp(t), HOST, pid, text)))

    log("pppd 2.4.9 started by root, uid 0")
    log("Script /usr/sbin/chat -v -f /etc/chatscripts/provider finished (pid %d), status = 0x0"
        % (pid + 1), rng.randint(12, 30))
    log("Serial connection established.")
    log("Using interface ppp0")
    log("Connect: ppp0 <--> %s" % modem)
    if rng.random() < 0.1:  # the peer refuses: a begin line, then the end
        log("LCP: timeout sending Config-Requests", 30)
        log("Connection terminated.")
        log("Exit.")
        return t
    log("local  IP address 10.%d.%d.%d" % (rng.randint(0, 255), rng.randint(0, 255),
                                          rng.randint(1, 254)), 2)
    log("remote IP address 10.64.64.64")
    minutes = rng.choice([rng.randint(2, 20), rng.randint(15, 90)])
    log("Modem hangup", minutes * 60 + rng.randint(0, 59))
    log("Connect time %.1f minutes." % minutes)
    log("Sent %d bytes, received %d bytes." % (rng.randint(10**4, 10**6), rng.randint(10**5, 10**7)))
    log("Connection terminated.")
    log("Exit.")
    return t


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("--from", dest="start", default="2026-12-20")
    parser.add_argument("--seed", type=int, default=18)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    first = datetime.datetime.strptime(args.start, "%Y-%m-%d")

    lines = []
    busy_until = first
    for day in range(21):
        date = first + datetime.timedelta(days=day)
        starts = sorted(date + datetime.timedelta(hours=rng.randint(7, 22), minutes=rng.randint(0, 59))
                        for _ in range(rng.randint(1, 3)))
        for start in starts:
            # One modem line at a time: a session never overlaps the last.
            if start > busy_until:
                busy_until = session(lines, rng, start)
        for _ in range(rng.randint(3, 6)):
            t = date + datetime.timedelta(seconds=rng.randint(0, 86399))
            text = rng.choice(NOISE).format(pid=rng.randint(100, 9999), up=rng.randint(10, 99999),
                                            frac=rng.randint(0, 999999))
            lines.append((t, "%s %s %s" % (stamp(t), HOST, text)))
    # The week's last session runs past the rotation, into the next file.
    boundary1 = first + datetime.timedelta(days=7)
    lines = [line for line in lines
             if not boundary1 - datetime.timedelta(hours=3) <= line[0] < boundary1 + datetime.timedelta(hours=3)
             or "pppd[" not in line[1]]
    session(lines, rng, boundary1 - datetime.timedelta(minutes=20))
    lines.sort(key=lambda line: line[0])

    boundary2 = first + datetime.timedelta(days=14)
    weeks = [[], [], []]
    for t, text in lines:
        weeks[0 if t < boundary1 else 1 if t < boundary2 else 2].append((t, text))

    os.makedirs(args.folder, exist_ok=True)
    names = ["syslog.2.gz", "syslog.1", "syslog"]
    for name, week in zip(names, weeks):
        path = os.path.join(args.folder, name)
        data = "".join(text + "\n" for _, text in week).encode()
        if name.endswith(".gz"):
            with open(path, "wb") as raw, gzip.GzipFile(fileobj=raw, mode="wb", mtime=0,
                                                       filename="") as out:
                out.write(data)
        else:
            with open(path, "wb") as out:
                out.write(data)
        last = week[-1][0].timestamp()
        os.utime(path, (last, last))


if __name__ == "__main__":
    main()
