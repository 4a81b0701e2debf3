#!/usr/bin/env python3
"""Writes oh_radical_cartesian.molden: the orbitals of oh_radical_pure.molden
with every pure d, f and g function written out as Cartesian functions in the
Molden order, each Cartesian function normalised on its own.

Run in this folder: python3 cartesian_molden.py
"""
import math
import re


def dfact(n):
    return 1 if n <= 1 else n * dfact(n - 2)


# Real solid harmonics, m = 0, +1, -1, ..., as {(px, py, pz): weight}.
PURE = {
    2: [{(0, 0, 2): 2, (2, 0, 0): -1, (0, 2, 0): -1}, {(1, 0, 1): 1}, {(0, 1, 1): 1},
        {(2, 0, 0): 1, (0, 2, 0): -1}, {(1, 1, 0): 1}],
    3: [{(0, 0, 3): 2, (2, 0, 1): -3, (0, 2, 1): -3}, {(1, 0, 2): 4, (3, 0, 0): -1, (1, 2, 0): -1},
        {(0, 1, 2): 4, (2, 1, 0): -1, (0, 3, 0): -1}, {(2, 0, 1): 1, (0, 2, 1): -1},
        {(1, 1, 1): 1}, {(3, 0, 0): 1, (1, 2, 0): -3}, {(2, 1, 0): 3, (0, 3, 0): -1}],
    4: [{(0, 0, 4): 8, (2, 0, 2): -24, (0, 2, 2): -24, (4, 0, 0): 3, (2, 2, 0): 6, (0, 4, 0): 3},
        {(1, 0, 3): 4, (3, 0, 1): -3, (1, 2, 1): -3}, {(0, 1, 3): 4, (2, 1, 1): -3, (0, 3, 1): -3},
        {(2, 0, 2): 6, (0, 2, 2): -6, (4, 0, 0): -1, (0, 4, 0): 1},
        {(1, 1, 2): 6, (3, 1, 0): -1, (1, 3, 0): -1}, {(3, 0, 1): 1, (1, 2, 1): -3},
        {(2, 1, 1): 3, (0, 3, 1): -1}, {(4, 0, 0): 1, (2, 2, 0): -6, (0, 4, 0): 1},
        {(3, 1, 0): 1, (1, 3, 0): -1}],
}
MOLDEN = {
    2: ['xx', 'yy', 'zz', 'xy', 'xz', 'yz'],
    3: ['xxx', 'yyy', 'zzz', 'xyy', 'xxy', 'xxz', 'xzz', 'yzz', 'yyz', 'xyz'],
    4: ['xxxx', 'yyyy', 'zzzz', 'xxxy', 'xxxz', 'yyyx', 'yyyz', 'zzzx', 'zzzy', 'xxyy', 'xxzz',
        'yyzz', 'xxyz', 'yyxz', 'zzxy'],
}


def powers(name):
    return (name.count('x'), name.count('y'), name.count('z'))


def angular(a, b):
    r = 1
    for k in range(3):
        n = a[k] + b[k]
        if n % 2:
            return 0
        r *= dfact(n - 1)
    return r


def to_cartesian(l):
    """Rows: pure functions; columns: Cartesian functions in the Molden order."""
    xl = dfact(2 * l - 1)
    rows = []
    for poly in PURE[l]:
        norm = sum(w * v * angular(p, q) for p, w in poly.items() for q, v in poly.items())
        s = math.sqrt(xl / norm)
        rows.append([s * poly.get(powers(c), 0) / math.sqrt(xl / angular(powers(c), powers(c)))
                     for c in MOLDEN[l]])
    return rows


text = open('oh_radical_pure.molden').read()
head, mo = text.split('[MO]')
shells = re.findall(r'^ ([spdfg])\s+\d+', head.split('[GTO]')[1], re.M)
head = head.replace('[5D]\n', '').replace('[9G]\n', '')

out = [head, '[MO]\n']
for block in re.split(r'\n(?= Sym=)', mo.strip('\n')):
    lines = block.split('\n')
    keys = [x for x in lines if '=' in x]
    coefficients = [float(x.split()[1]) for x in lines if '=' not in x and x.strip()]
    new, i = [], 0
    for s in shells:
        l = 'spdfg'.index(s)
        if l < 2:
            new += coefficients[i:i + 2 * l + 1]
            i += 2 * l + 1
            continue
        pure = coefficients[i:i + 2 * l + 1]
        i += 2 * l + 1
        rows = to_cartesian(l)
        new += [sum(pure[m] * rows[m][c] for m in range(2 * l + 1)) for c in range(len(MOLDEN[l]))]
    assert i == len(coefficients)
    out += [k + '\n' for k in keys]
    out += ['%4d %22.15e\n' % (n + 1, c) for n, c in enumerate(new)]
open('oh_radical_cartesian.molden', 'w').write(''.join(out))
