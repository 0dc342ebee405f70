#!/usr/bin/env python3
"""Writes the benchmark corpus (never committed): every list as XML (<name>.xml) and binary (<name>.bin).

  make_corpus.py FOLDER

music      a music-library-like dictionary of ~29,000 track dictionaries (~50 MB of XML)
manifest   a backup-manifest-like dictionary of files with data blobs and repeated strings (~20 MB binary)
deep       200 levels of nested dictionaries and arrays
keys       one dictionary of 500,000 keys
numbers    an array of a million integers and reals
and smaller cuts (-q a quarter, -h a half) of music, keys and numbers, to see how each step grows.
"""
import datetime
import os
import plistlib
import random
import sys

EPOCH = datetime.datetime(2001, 1, 1)


def music(tracks, r):
    artists = ['Artist %d' % i for i in range(tracks // 12 + 1)]
    genres = ['Rock', 'Jazz', 'Classical', 'Pop', 'Électronique', 'Hip-Hop', 'Folk', 'Soundtrack', '日本のポップ']
    kinds = ['MPEG audio file', 'AAC audio file', 'Apple Lossless audio file', 'Purchased AAC audio file']
    items = {}
    for i in range(tracks):
        tid = 1000 + 2 * i
        artist = r.choice(artists)
        album = '%s: Album %d' % (artist, r.randrange(8))
        name = 'Track %d – %s' % (i, r.choice(['Intro', 'Night & Day', 'Blue <Live>', 'Café Song', 'Ünïcödé', '🎵 Theme']))
        added = EPOCH + datetime.timedelta(seconds=r.randrange(0, 700_000_000))
        items[str(tid)] = {
            'Track ID': tid, 'Name': name, 'Artist': artist, 'Album Artist': artist, 'Composer': r.choice(artists),
            'Album': album, 'Genre': r.choice(genres), 'Kind': r.choice(kinds), 'Size': r.randrange(1_000_000, 20_000_000),
            'Total Time': r.randrange(60_000, 600_000), 'Disc Number': 1, 'Disc Count': 1,
            'Track Number': r.randrange(1, 20), 'Track Count': 20, 'Year': r.randrange(1950, 2024),
            'Date Modified': added + datetime.timedelta(days=r.randrange(100)), 'Date Added': added,
            'Bit Rate': r.choice([128, 192, 256, 320]), 'Sample Rate': r.choice([44100, 48000]),
            'Play Count': r.randrange(200), 'Play Date': r.randrange(3_000_000_000, 3_700_000_000),
            'Play Date UTC': added + datetime.timedelta(days=r.randrange(1000)),
            'Rating': r.choice([0, 20, 40, 60, 80, 100]), 'Persistent ID': '%016X' % r.getrandbits(64),
            'Track Type': 'File', 'Explicit': r.random() < 0.1,
            'Location': 'file://localhost/C:/Users/me/Music/%s/%s/%02d%%20%s.m4a' % (
                artist.replace(' ', '%20'), album.replace(' ', '%20'), i % 20, 'Track%20' + str(i)),
            'File Folder Count': 5, 'Library Folder Count': 1,
        }
    playlists = [{'Name': 'Playlist %d' % p, 'Playlist ID': 50000 + p, 'Playlist Persistent ID': '%016X' % r.getrandbits(64),
                  'All Items': True, 'Playlist Items': [{'Track ID': 1000 + 2 * r.randrange(tracks)} for _ in range(r.randrange(50, 400))]}
                 for p in range(tracks // 400 + 1)]
    return {'Major Version': 1, 'Minor Version': 1, 'Application Version': '12.9.0.164', 'Date': EPOCH,
            'Features': 5, 'Show Content Ratings': True, 'Music Folder': 'file://localhost/C:/Users/me/Music/',
            'Library Persistent ID': '0123456789ABCDEF', 'Tracks': items, 'Playlists': playlists}


def manifest(files, r):
    domains = ['AppDomain-com.example.app%d' % i for i in range(40)] + ['HomeDomain', 'MediaDomain', 'CameraRollDomain']
    folders = ['Library/Preferences', 'Library/Caches', 'Documents', 'Media/DCIM/100APPLE', 'Library/SMS/Attachments']
    out = {}
    for i in range(files):
        digest = r.randbytes(20)
        out[digest.hex()] = {
            'Domain': r.choice(domains), 'RelativePath': '%s/file%06d.%s' % (r.choice(folders), i, r.choice(['plist', 'db', 'jpg'])),
            'Flags': r.choice([1, 2, 4]), 'Size': r.randrange(0, 10_000_000), 'Mode': 33188, 'UserID': 501, 'GroupID': 501,
            'InodeNumber': r.getrandbits(40), 'LastModified': EPOCH + datetime.timedelta(seconds=r.randrange(700_000_000)),
            'Digest': digest, 'ExtendedAttributes': r.randbytes(r.randrange(40, 500)), 'ProtectionClass': r.randrange(1, 5),
        }
    return {'Version': '10.0', 'IsEncrypted': False, 'Applications': {d: {'Path': '/var/' + d} for d in domains}, 'Files': out}


def deep(levels):
    v = {'leaf': 'bottom', 'n': 1}
    for i in range(levels):
        v = [v, i, 'level %d' % i, b'\x00\x01\x02\x03' * 4] if i % 2 else {'child': v, 'level': i, 'data': b'\xff' * 24}
    return v


def keys(n):
    return {'key-%07d' % i: (i if i % 3 else 'value %d' % i) for i in range(n)}


def numbers(n, r):
    return [r.randrange(-2**40, 2**40) if i % 2 else r.uniform(-1e6, 1e6) for i in range(n)]


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    r = random.Random(20240611)
    lists = {
        'music': lambda: music(29000, r), 'music-h': lambda: music(14500, r), 'music-q': lambda: music(7250, r),
        'manifest': lambda: manifest(38000, r),
        'deep': lambda: deep(200),
        'keys': lambda: keys(500_000), 'keys-h': lambda: keys(250_000), 'keys-q': lambda: keys(125_000),
        'numbers': lambda: numbers(1_000_000, r), 'numbers-h': lambda: numbers(500_000, r), 'numbers-q': lambda: numbers(250_000, r),
    }
    for name, make in lists.items():
        value = make()
        for ext, fmt in (('xml', plistlib.FMT_XML), ('bin', plistlib.FMT_BINARY)):
            with open(os.path.join(folder, '%s.%s' % (name, ext)), 'wb') as f:
                f.write(plistlib.dumps(value, fmt=fmt))
        print('%-10s xml %6.1f MB  bin %6.1f MB' % (name, os.path.getsize(os.path.join(folder, name + '.xml')) / 1e6,
                                                  os.path.getsize(os.path.join(folder, name + '.bin')) / 1e6))


if __name__ == '__main__':
    main()
