#!/usr/bin/env python3
"""Runs the benchmark cases and prints one table (called by bench/run, which builds the programs).

  measure.py CORPUS ENGINE_BENCH DLL_BENCH WINE_EXEC
"""
import os
import subprocess
import sys
import tempfile
import time

LARGE = ['music', 'manifest', 'keys', 'numbers', 'deep']
SERIES = ['music', 'keys', 'numbers']  # also measured at a quarter and a half, to see how steps grow
PEER_TIMEOUT = 180
# The DLL's time over plistutil's on each large file but 'deep' (which is all process start for the peer):
# at most a fifth, i.e. at least five times plistutil's speed.
PEER_TIME_GOAL = 0.2
DIRECTIONS = [('bin->xml', 'bin', 'tox', 'xml'), ('xml->bin', 'xml', 'tobin', 'bin')]

PLISTLIB = r'''
import plistlib, sys, time
data = open(sys.argv[1], 'rb').read()
start = time.perf_counter()
out = plistlib.dumps(plistlib.loads(data), fmt=plistlib.FMT_XML if sys.argv[2] == 'xml' else plistlib.FMT_BINARY)
print(time.perf_counter() - start, len(out))
'''


def run_with_rusage(command, timeout=None):
    """Output, wall seconds and peak resident bytes (from wait4) of a command; None on failure or timeout."""
    start = time.perf_counter()
    p = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    while True:  # the programs print one short line: the pipe cannot fill up
        pid, status, usage = os.wait4(p.pid, os.WNOHANG)
        if pid:
            break
        if timeout and time.perf_counter() - start > timeout:
            p.kill()
            os.wait4(p.pid, 0)
            return None
        time.sleep(0.005)
    wall = time.perf_counter() - start
    output = p.stdout.read().decode()
    p.returncode = os.waitstatus_to_exitcode(status)
    if p.returncode != 0:
        sys.stderr.write('\n%s failed (status %d)\n' % (' '.join(command), p.returncode))
        return None
    return output, wall, usage.ru_maxrss * 1024


def fields(line):
    return {k: float(v) for k, v in (f.split('=') for f in line.split())}


def mbps(size, seconds):
    return size / seconds / 1e6 if seconds else float('inf')


def main():
    corpus, engine_bench, dll_bench, wine_exec = sys.argv[1:5]
    out_dir = tempfile.mkdtemp(prefix='cf-bench-')
    rows, growth = [], []
    for label, ext, mode, out_ext in DIRECTIONS:
        for name in LARGE + [n + s for n in SERIES for s in ('-q', '-h')]:
            path = os.path.join(corpus, '%s.%s' % (name, ext))
            row = {'name': name, 'dir': label, 'in': os.path.getsize(path)}
            r = run_with_rusage([engine_bench, mode, path, '3'])
            row['engine'] = fields(r[0]) if r else None
            if name in LARGE:
                target = os.path.join(out_dir, '%s.%s' % (name, out_ext))
                windows = lambda p: 'Z:' + p.replace('/', '\\')
                command = [wine_exec, dll_bench, mode, windows(path)] + ([windows(target)] if mode == 'tobin' else []) + ['3']
                # A first Wine start now and then loses the program's output: try again.
                for _ in range(3):
                    r = run_with_rusage(command)
                    if r and r[0].strip():
                        break
                row['dll'] = fields(r[0].strip().splitlines()[-1]) if r and r[0].strip() else None
                peer_out = os.path.join(out_dir, 'plistutil.out')
                r = run_with_rusage(['plistutil', '-i', path, '-f', out_ext, '-o', peer_out], PEER_TIMEOUT)
                # plistutil may fail silently: only a written file counts.
                row['plistutil'] = (r[1], r[2]) if r and os.path.getsize(peer_out) else None
                os.unlink(peer_out) if os.path.exists(peer_out) else None
                r = run_with_rusage([sys.executable, '-c', PLISTLIB, path, out_ext], PEER_TIMEOUT)
                row['plistlib'] = (float(r[0].split()[0]), r[2]) if r else None
            rows.append(row)
            print('.', end='', file=sys.stderr, flush=True)
    print(file=sys.stderr)

    def cell(v, fmt='%8.1f'):
        return fmt % v if v is not None else '%8s' % '-'

    print('Throughput in MB/s of input. DLL: the document\'s call sequence under Wine, with file I/O, best of 3.')
    print('engine: native, in memory, best of 3 (memory reused); cold: its first run, which also pays for the first')
    print('touch of every page. Peers: plistutil whole program run, plistlib in process. Peak: DLL working set')
    print('above start, and its ratio to the larger of input and output.')
    print()
    print('%-10s %-9s %7s %7s %8s %8s %8s %9s %8s %8s %8s %6s' % ('file', 'direction', 'in MB', 'out MB', 'DLL', 'engine',
          'cold', 'plistutil', 'plistlib', 'DLL/peer', 'peak MB', 'peak/x'))
    verdicts = {}
    for row in rows:
        if row['name'] not in LARGE:
            continue
        e, d = row['engine'], row.get('dll')
        size = row['in']
        out = (d or e or {}).get('out', 0)
        dll = mbps(size, d['total']) if d else None
        engine = mbps(size, e['total']) if e else None
        cold = mbps(size, e['cold']) if e else None
        pu = mbps(size, row['plistutil'][0]) if row.get('plistutil') else None
        pl = mbps(size, row['plistlib'][0]) if row.get('plistlib') else None
        peers = [p for p in (pu, pl) if p]
        best = max(peers) if peers else None
        ratio = dll / best if dll and best else None
        peak = d['peak'] if d else None
        peak_ratio = peak / max(size, out) if peak else None
        print('%-10s %-9s %7.1f %7.1f %s %s %s %s %s %s %s %s' % (
            row['name'], row['dir'], size / 1e6, out / 1e6, cell(dll), cell(engine), cell(cold),
            cell(pu) if row.get('plistutil') else '%9s' % ('>%ds' % PEER_TIMEOUT), cell(pl), cell(ratio, '%7.1fx'),
            cell(peak / 1e6 if peak else None), cell(peak_ratio, '%5.1fx')))
        if row['name'] != 'deep':
            ok = ratio is not None and ratio >= 5 and peak_ratio is not None and peak_ratio <= 4
            verdicts.setdefault(row['dir'], []).append((row['name'], ok, ratio, peak_ratio))
    print()
    print('Growth: engine seconds per MB at a quarter, half and the whole file (best runs; total includes the release).')
    for label, ext, mode, out_ext in DIRECTIONS:
        for name in SERIES:
            cut = {r['name']: r for r in rows if r['dir'] == label}
            parts = []
            worst = 0.0
            for step in ('parse', 'validate', 'write', 'total'):
                per = []
                for n in (name + '-q', name + '-h', name):
                    e = cut[n]['engine']
                    per.append(e[step] / (cut[n]['in'] / 1e6) if e else float('nan'))
                if step != 'validate' and per[0] > 0:
                    worst = max(worst, per[2] / per[0])
                parts.append('%s %s' % (step, '/'.join('%.4f' % p for p in per)))
            print('  %-9s %-8s %s  (whole/quarter %.2f)' % (label, name, '  '.join(parts), worst))
            growth.append((label, name, worst))
    print()
    print('Time of the DLL over plistutil\'s, same run:')
    for row in rows:
        if row['name'] in LARGE and row['name'] != 'deep':
            d, pu = row.get('dll'), row.get('plistutil')
            if d and pu:
                print('  %-9s %-8s DLL %7.3f s  plistutil %7.3f s  ratio %.2fx (goal <= %.2fx)' % (
                    row['dir'], row['name'], d['total'], pu[0], d['total'] / pu[0], PEER_TIME_GOAL))
            else:
                print('  %-9s %-8s no figure (%s failed)' % (row['dir'], row['name'], 'DLL' if not d else 'plistutil'))
    print()
    for label, results in verdicts.items():
        misses = ['%s %.1fx peak %.1fx' % (n, r or 0, p or 0) for n, ok, r, p in results if not ok]
        print('%s: %s' % (label, 'target met (>= 5x the faster peer, peak <= 4x)' if not misses
                                 else 'target missed on ' + ', '.join(misses)))
    superlinear = ['%s %s %.2f' % g for g in growth if g[2] > 1.5]
    print('growth: %s' % ('linear (no step above 1.5x its per-MB time at a quarter size)' if not superlinear
                          else 'faster than linear: ' + ', '.join(superlinear)))


if __name__ == '__main__':
    main()
