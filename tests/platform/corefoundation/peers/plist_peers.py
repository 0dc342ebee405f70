#!/usr/bin/env python3
"""Peer side of the property-list cross-checks: random lists from plistlib, their values in a canonical
text form, and the check of the engine's output through plistlib and plistutil.

  plist_peers.py generate DIR SEED COUNT   writes DIR/<n>-<kind>.plist, .expect (canonical value) and,
                                           for binary lists with sorted keys, .plistutil.xml
  plist_peers.py check DIR                 reads every DIR/*.engine.xml / *.engine.bin back; prints one
                                           line per difference, exit status 1 if any
"""
import datetime
import math
import os
import random
import struct
import subprocess
import sys
import tempfile
import plistlib

EPOCH = datetime.datetime(2001, 1, 1)


def seconds(d):
    return (d - EPOCH).total_seconds()


def utf16_key(s):
    return s.encode('utf-16-be')


# ---- random values -------------------------------------------------------------------------------

TEXT_POOL = ['a', 'Z', ' ', '0', '&', '<', '>', '"', "'", ';', '\t', '\n', 'é', 'ß', '中', '\u00a0', '\u2028',
             '\uff01', '\ue000', '\ufffd', '\U0001F600', '\U00010000', '\U0010FFFD', 'CF$UID', ']]>', '&amp;']


class Generator:
    def __init__(self, seed, uids):
        self.r = random.Random(seed)
        self.uids = uids  # UIDs cannot be written to XML by plistlib

    def text(self, longest=12):
        return ''.join(self.r.choice(TEXT_POOL) for _ in range(self.r.randint(0, longest)))

    def date(self, whole):
        # Years from 1000 on: plistutil prints earlier years without their leading zeros.
        s = self.r.choice([0, -1, 1, 86399, 978307200, -978307200, -31588531200, 253402300799 - 978307200,
                           self.r.randint(-3000000000, 3000000000)])
        if not whole:
            s += self.r.choice([0.5, 0.25, 0.125, 0.875])
        return EPOCH + datetime.timedelta(seconds=s)

    def scalar(self, whole_dates):
        r = self.r
        kind = r.randrange(8 if self.uids else 7)
        if kind == 0:
            return self.text()
        if kind == 1:
            return r.choice([0, 1, -1, 12, 13, 255, 256, 65535, 65536, 2**32 - 1, 2**32, 2**63 - 1, -2**63, 2**63,
                             2**64 - 1, r.randint(-2**63, 2**64 - 1), r.randint(-1000, 1000)])
        if kind == 2:
            return r.choice([0.0, -0.0, 0.1, 0.5, 1.0, 100.0, 1e16, 1e17, 1e-7, 5e-324, 1.7976931348623157e308,
                             math.inf, -math.inf, math.nan, r.uniform(-1e6, 1e6), r.random() * 10**r.randint(-300, 300)])
        if kind == 3:
            return r.random() < 0.5
        if kind == 4:
            return self.date(whole_dates or r.random() < 0.7)
        if kind == 5:
            return bytes(r.randrange(256) for _ in range(r.choice([0, 1, 2, 3, 4, 56, 57, 58, r.randint(0, 200)])))
        if kind == 6:
            return self.text(40)
        return plistlib.UID(r.choice([0, 1, 255, 256, 65535, 65536, 2**32 - 1, r.randrange(2**32)]))

    def value(self, depth, whole_dates=False):
        r = self.r
        if depth <= 0 or r.random() < 0.35:
            return self.scalar(whole_dates)
        if r.random() < 0.5:
            return [self.value(depth - 1, whole_dates) for _ in range(r.randint(0, 6))]
        return {self.text(): self.value(depth - 1, whole_dates) for _ in range(r.randint(0, 6))}


def deep(levels, leaf):
    v = leaf
    for i in range(levels):
        v = [v, b'\x00\x01\x02' * 7] if i % 2 else {'k\U0001F600': v, 'data': b'\xff' * 30}
    return v


# Fixed cases: the corners of every type and the key order that sets the engine apart from plistlib.
FIXED = [
    {'empty': [[], {}, '', b''], 'ints': [2**63, 2**64 - 1, -2**63, -1, 0, 12, 13]},
    {'\uff01': 1, '\U0001F600': 2, 'B': 3, 'a': 4, 'é': 5, '': 6},
    [0.1, 1.0, 100.0, 1e16, 1e17, 1e-7, 5e-324, -0.0, math.inf, -math.inf, math.nan],
    [EPOCH, EPOCH - datetime.timedelta(seconds=1), datetime.datetime(1000, 1, 1), datetime.datetime(9999, 12, 31, 23, 59, 59)],
    'a &<> "\' \U0001F600 \u2029',
    deep(12, b'1234567890' * 10),
]


def sorted_binary(value):
    """Binary with every dictionary's keys in UTF-16 order, as the engine writes XML."""
    def sort(v):
        if isinstance(v, dict):
            return {k: sort(v[k]) for k in sorted(v, key=utf16_key)}
        if isinstance(v, list):
            return [sort(x) for x in v]
        return v
    return plistlib.dumps(sort(value), fmt=plistlib.FMT_BINARY, sort_keys=False)


# ---- canonical text of a value (the C++ side prints the engine's values the same way) -------------

def canonical(v, out):
    if isinstance(v, bool):
        out.append('bool %d' % v)
    elif isinstance(v, plistlib.UID):
        out.append('uid %d' % v.data)
    elif isinstance(v, int):
        out.append('int %d' % v)
    elif isinstance(v, float):
        out.append('real nan' if math.isnan(v) else 'real ' + struct.pack('>d', v).hex())
    elif isinstance(v, str):
        out.append('string ' + v.encode('utf-16-be', 'surrogatepass').hex())
    elif isinstance(v, bytes):
        out.append('data ' + v.hex())
    elif isinstance(v, datetime.datetime):
        out.append('date ' + struct.pack('>d', seconds(v)).hex())
    elif isinstance(v, list):
        out.append('array %d' % len(v))
        for x in v:
            canonical(x, out)
    elif isinstance(v, dict):
        out.append('dict %d' % len(v))
        for k in sorted(v, key=utf16_key):
            canonical(k, out)
            canonical(v[k], out)
    else:
        raise TypeError(type(v))
    return out


def generate(folder, seed, count):
    g = Generator(seed, uids=False)
    gb = Generator(seed + 1, uids=True)
    lists = []
    for i, v in enumerate(FIXED):
        lists.append(('fixed%d-xml' % i, v, plistlib.dumps(v, fmt=plistlib.FMT_XML)))
        lists.append(('fixed%d-bin' % i, v, plistlib.dumps(v, fmt=plistlib.FMT_BINARY)))
        lists.append(('fixed%d-sorted' % i, v, sorted_binary(v)))
    for i in range(count):
        v = g.value(6)
        lists.append(('%03d-xml' % i, v, plistlib.dumps(v, fmt=plistlib.FMT_XML)))
        v = gb.value(6)
        lists.append(('%03d-bin' % i, v, plistlib.dumps(v, fmt=plistlib.FMT_BINARY, sort_keys=i % 2 == 0)))
        # plistutil truncates dates toward zero where the engine floors: whole seconds only here.
        v = gb.value(6, whole_dates=True)
        lists.append(('%03d-sorted' % i, v, sorted_binary(v)))
    v = deep(300, 'bottom')
    lists.append(('deep-xml', v, plistlib.dumps(v, fmt=plistlib.FMT_XML)))
    lists.append(('deep-sorted', v, sorted_binary(v)))
    for name, _, data in lists:
        path = os.path.join(folder, name)
        with open(path + '.plist', 'wb') as f:
            f.write(data)
        # The value as the peer itself reads its own output (XML keeps no sub-second part of dates).
        with open(path + '.expect', 'w') as f:
            f.write('\n'.join(canonical(plistlib.loads(data), [])) + '\n')
        if name.endswith('-sorted'):
            subprocess.run(['plistutil', '-i', path + '.plist', '-f', 'xml', '-o', path + '.plistutil.xml'], check=True)


# ---- reading the engine's output back --------------------------------------------------------------

def floor_date(d, toward_zero):
    s = seconds(d)
    whole = math.trunc(s) if toward_zero else math.floor(s)
    return EPOCH + datetime.timedelta(seconds=whole)


def as_from_xml(v, toward_zero=False):
    """The value an XML reader without UIDs gives for v written as XML by the engine or plistutil."""
    if isinstance(v, plistlib.UID):
        return {'CF$UID': v.data}
    if isinstance(v, float):
        return 0.0 if v == 0 else v
    if isinstance(v, datetime.datetime):
        return floor_date(v, toward_zero)
    if isinstance(v, list):
        return [as_from_xml(x, toward_zero) for x in v]
    if isinstance(v, dict):
        return {k: as_from_xml(x, toward_zero) for k, x in v.items()}
    return v


def same(a, b):
    if type(a) is not type(b):
        return False
    if isinstance(a, float):
        return (math.isnan(a) and math.isnan(b)) or struct.pack('>d', a) == struct.pack('>d', b)
    if isinstance(a, list):
        return len(a) == len(b) and all(same(x, y) for x, y in zip(a, b))
    if isinstance(a, dict):
        return a.keys() == b.keys() and all(same(a[k], b[k]) for k in a)
    return a == b


def plistutil(path, fmt):
    out = tempfile.NamedTemporaryFile(delete=False, suffix='.' + fmt)
    out.close()
    try:
        subprocess.run(['plistutil', '-i', path, '-f', fmt, '-o', out.name], check=True)
        with open(out.name, 'rb') as f:
            data = f.read()
        if not data:
            raise ValueError('plistutil wrote nothing')
        return data
    finally:
        os.unlink(out.name)


def check(folder):
    failures = 0
    names = sorted(n for n in os.listdir(folder) if n.endswith('.plist'))
    for name in names:
        name = name[:-len('.plist')]
        base = os.path.join(folder, name)
        with open(base + '.plist', 'rb') as f:
            original = plistlib.loads(f.read())
        for suffix, ways in (('.engine.xml', ('plistlib', 'plistutil -f bin')),
                             ('.engine.bin', ('plistlib', 'plistutil -f xml'))):
            if not os.path.exists(base + suffix):
                print('%s%s: missing (the engine could not write it)' % (name, suffix))
                failures += 1
                continue
            for way in ways:
                try:
                    if way == 'plistlib':
                        with open(base + suffix, 'rb') as f:
                            back = plistlib.loads(f.read())
                    else:
                        back = plistlib.loads(plistutil(base + suffix, way.split()[-1]))
                except Exception as e:  # noqa: BLE001 - any failure of a peer is a finding
                    print('%s%s: %s cannot read it: %r' % (name, suffix, way, e))
                    failures += 1
                    continue
                if suffix == '.engine.xml':
                    expected = as_from_xml(original)
                elif way == 'plistlib':
                    expected = original
                else:
                    expected = as_from_xml(original, toward_zero=True)
                if not same(expected, back):
                    print('%s%s: %s reads a different value' % (name, suffix, way))
                    failures += 1
    print('%d lists checked, %d differences' % (len(names), failures))
    return 1 if failures else 0


if __name__ == '__main__':
    if sys.argv[1] == 'generate':
        generate(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]))
    elif sys.argv[1] == 'check':
        sys.exit(check(sys.argv[2]))
    else:
        sys.exit('usage: plist_peers.py generate DIR SEED COUNT | check DIR')
