"""Reads an NWChem output and lays its numbers out as Gaussian 98 prints them.

Shared by the scripts that write the example outputs (make-example.py,
make-water-example.py). Standard library only.

What is carried over and how:
  - geometries and gradients of every "ENERGY GRADIENTS" block (bohr,
    Hartree/bohr; forces are minus the gradient);
  - the last geometry NWChem printed (Angstrom);
  - frequencies and IR intensities (km/mol) from NWChem's projected tables;
  - displacements: NWChem's Cartesian normal-mode vectors, each scaled to
    unit length; reduced mass 1 / sum(c^2) of the unscaled vector (NWChem
    normalises sum(m c^2) = 1) and force constant 4 pi^2 c^2 nu^2 mu;
  - dipole derivatives: the direction of NWChem's projected derivative
    dipole (debye/A) with the length sqrt(intensity in km/mol), Gaussian's
    unit (km/mol)^1/2;
  - symmetry species from the characters of each displacement under the
    C2v operations (molecule in the yz plane, C2 along z).
"""

import math
import os
import re
import shutil
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLES = os.path.normpath(os.path.join(HERE, "..", "examples"))
BOHR_PER_ANGSTROM = 1.889725989  # the factor NWChem prints
SYMBOLS = {1: "H", 6: "C", 8: "O"}
NUMBERS = {v: k for k, v in SYMBOLS.items()}
MASSES = {"H": 1.007825, "C": 12.000000, "O": 15.994910}  # NWChem's, printed there
THRESHOLDS = (0.000450, 0.000300, 0.001800, 0.001200)  # NWChem's defaults
# 4 pi^2 c^2 amu, in mdyn/A per (amu cm^-2)
FORCE_CONSTANT = (2 * math.pi * 2.99792458e10) ** 2 * 1.66053907e-27 / 100.0


def run_nwchem(input_name):
    """Runs nwchem on scripts/input_name in a scratch folder; returns stdout."""
    work = tempfile.mkdtemp(prefix="kalviro-nwchem-")
    try:
        shutil.copy(os.path.join(HERE, input_name), work)
        result = subprocess.run(["nwchem", input_name], cwd=work,
                                capture_output=True, text=True, check=True)
        return result.stdout
    finally:
        shutil.rmtree(work, ignore_errors=True)


def nwchem_text(argv, input_name):
    """The output named on the command line, or a fresh run of input_name."""
    if len(argv) > 1:
        with open(argv[1]) as f:
            return f.read()
    return run_nwchem(input_name)


def save(name, text):
    path = os.path.join(EXAMPLES, name)
    with open(path, "w") as f:
        f.write(text)
    print("wrote", path)


def fortran(value, digits=5):
    """A number as Gaussian prints dipole derivatives: 1.23456D-01."""
    text = "%.*E" % (digits, value)
    mantissa, exponent = text.split("E")
    return "%sD%+03d" % (mantissa, int(exponent))


def parse(lines):
    steps = []        # [{'coords': [(sym, x, y, z) bohr], 'grad': [...]}]
    status = {}       # step number -> (energy, values, flags)
    final = None      # [(sym, x, y, z)] Angstrom
    modes = {}        # mode number -> cartesian vector
    freq = {}         # mode number -> wavenumber
    dipole = {}       # mode number -> (x, y, z) debye/A
    intensity = {}    # mode number -> (atomic units, km/mol)
    i = 0
    while i < len(lines):
        line = lines[i]
        if "ENERGY GRADIENTS" in line:
            i += 4
            coords, grad = [], []
            while lines[i].strip():
                t = lines[i].split()
                coords.append((t[1], *map(float, t[2:5])))
                grad.append(tuple(map(float, t[5:8])))
                i += 1
            steps.append({"coords": coords, "grad": grad})
            continue
        if line.startswith("@") and "Step" not in line and "----" not in line:
            t = line.split()
            n = int(t[1])
            if n not in status:
                spans = [m.span() for m in re.finditer(r"\S+", line)]
                ok = [m.span() for m in re.finditer(r"ok", lines[i + 1])]
                flags = []
                for col in (4, 5, 6, 7):  # Gmax Grms Xrms Xmax
                    a, b = spans[col]
                    flags.append(any(s < b and e > a for s, e in ok))
                values = list(map(float, t[4:8]))
                status[n] = (float(t[2]), values, flags)
        if "Output coordinates in angstroms" in line:
            i += 4
            final = []
            while lines[i].strip():
                t = lines[i].split()
                final.append((t[1], *map(float, t[3:6])))
                i += 1
            continue
        if "NORMAL MODE EIGENVECTORS IN CARTESIAN COORDINATES" in line:
            modes = {}
            i += 1
            while i < len(lines) and "Normal Eigenvalue" not in lines[i]:
                t = lines[i].split()
                if t and t[0] == "P.Frequency":
                    header = [int(x) for x in lines[i - 2].split()]
                    for n in header:
                        modes[n] = []
                    i += 2
                    while lines[i].strip():
                        row = list(map(float, lines[i].split()[1:]))
                        for n, v in zip(header, row):
                            modes[n].append(v)
                        i += 1
                    continue
                i += 1
            continue
        if "Projected Derivative Dipole Moments" in line:
            for t in mode_rows(lines, i):
                freq[int(t[0])] = float(t[1])
                dipole[int(t[0])] = tuple(map(float, t[3:6]))
        if "Projected Infra Red Intensities" in line:
            for t in mode_rows(lines, i):
                intensity[int(t[0])] = (float(t[3]), float(t[5]))
        i += 1
    return steps, status, final, modes, freq, dipole, intensity


def mode_rows(lines, title):
    """Tokens of the rows of a per-mode table: after its title and two
    header lines, up to the closing dashes."""
    i = title + 3
    while not lines[i].startswith(" ----"):
        yield lines[i].split()
        i += 1


def symmetry(coords, vector):
    """C2v species of a displacement (molecule in the yz plane)."""
    ops = [(-1, -1, 1), (1, -1, 1), (-1, 1, 1)]  # C2(z), sigma(xz), sigma(yz)
    d = [vector[3 * k:3 * k + 3] for k in range(len(coords))]
    norm = sum(c * c for v in d for c in v)
    chars = []
    for op in ops:
        moved = [None] * len(coords)
        for k, (_, x, y, z) in enumerate(coords):
            image = (op[0] * x, op[1] * y, op[2] * z)
            j = min(range(len(coords)),
                    key=lambda j: sum((a - b) ** 2 for a, b in zip(image, coords[j][1:])))
            moved[j] = tuple(o * c for o, c in zip(op, d[k]))
        chars.append(round(sum(a * b for k in range(len(d)) for a, b in zip(d[k], moved[k])) / norm))
    table = {(1, 1, 1): "A1", (1, -1, -1): "A2", (-1, 1, -1): "B1", (-1, -1, 1): "B2"}
    return table[tuple(chars)]


def orientation(out, title, atoms):
    dashes = " " + "-" * 69
    out.append(title)
    out.append(dashes)
    out.append(" Center     Atomic     Atomic              Coordinates (Angstroms)")
    out.append(" Number     Number      Type              X           Y           Z")
    out.append(dashes)
    for k, (sym, x, y, z) in enumerate(atoms, 1):
        out.append("%5d%11d%14d%16.6f%12.6f%12.6f" % (k, NUMBERS[sym], 0, x + 0.0, y + 0.0, z + 0.0))
    out.append(dashes)


def both_orientations(out, atoms):
    orientation(out, "                          Input orientation:                          ", atoms)
    orientation(out, "                         Standard orientation:                         ", atoms)


def header(out, script, route, title):
    out.append(" Entering Link 1 = kalviro example, generated by scripts/" + script)
    out.append(" " + "-" * 38)
    out.append(" " + route)
    out.append(" " + "-" * 38)
    out.append(" " + "-" * 60)
    out.append(" " + title)
    out.append(" " + "-" * 60)
    out.append(" Symbolic Z-matrix:")
    out.append(" Charge =  0 Multiplicity = 1")


def forces(out, coords, grad):
    """The forces table of one geometry; returns the forces, flattened."""
    dashes = " " + "-" * 67
    out.append(dashes)
    out.append(" Center     Atomic                   Forces (Hartrees/Bohr)")
    out.append(" Number     Number              X              Y              Z")
    out.append(dashes)
    flat = []
    for k, ((sym, *_), g) in enumerate(zip(coords, grad), 1):
        f = [-c + 0.0 for c in g]
        flat += f
        out.append("%5d%11d%22.9f%15.9f%15.9f" % (k, NUMBERS[sym], *f))
    out.append(dashes)
    out.append(" Cartesian Forces:  Max %15.9f RMS %15.9f" % (max(map(abs, flat)), rms(flat)))
    return flat


def rms(values):
    return math.sqrt(sum(v * v for v in values) / len(values))


def convergence(out, values, flags):
    """The four-line convergence table: Gmax, Grms, Xmax, Xrms."""
    out.append("         Item               Value     Threshold  Converged?")
    names = ("Maximum Force", "RMS     Force", "Maximum Displacement", "RMS     Displacement")
    for name, value, limit, ok in zip(names, values, THRESHOLDS, flags):
        out.append(" %-20s%13.6f%13.6f     %s" % (name, value, limit, "YES" if ok else "NO "))


def vibrations(final, modes, freq, dipole, intensity):
    """The real vibrations (|frequency| > 10 cm-1), as the tables print them."""
    masses = [MASSES[s] for s, *_ in final]
    table = []
    for n in [n for n in sorted(freq) if abs(freq[n]) > 10.0]:
        c = modes[n]
        assert abs(sum(masses[k // 3] * v * v for k, v in enumerate(c)) - 1.0) < 1e-3
        length = math.sqrt(sum(v * v for v in c))
        reduced = 1.0 / (length * length)
        au, km = intensity[n]
        d = dipole[n]
        dlen = math.sqrt(sum(v * v for v in d))
        scale = math.sqrt(km) / dlen if dlen > 0 else 0.0
        table.append({
            "freq": freq[n], "mass": reduced, "k": FORCE_CONSTANT * freq[n] ** 2 * reduced,
            "ir": km, "disp": [v / length for v in c], "cartesian": c,
            "dipole": [v * scale + 0.0 for v in d], "sym": symmetry(final, c)})
    return table


def frequency_tables(out, final, table):
    """Dipole derivatives, then the frequency groups of three modes."""
    out.append(" Full mass-weighted force constant matrix:")
    for k, m in enumerate(table, 1):
        out.append(" Dipole derivatives wrt mode %2d:" % k + "".join("%13s" % fortran(v) for v in m["dipole"]))
    out.append(" Harmonic frequencies (cm**-1), IR intensities (KM/Mole),")
    out.append(" reduced masses (AMU), force constants (mDyne/A) and normal coordinates:")
    for g in range(0, len(table), 3):
        group = table[g:g + 3]
        widths = [22, 23, 23]
        out.append("".join("%*d" % (w, g + k + 1) for k, w in zip(range(len(group)), widths)))
        out.append("".join("%*s" % (w, m["sym"]) for m, w in zip(group, widths)))
        for label, key, fmt in ((" Frequencies --", "freq", "%.4f"), (" Red. masses --", "mass", "%.4f"),
                                (" Frc consts  --", "k", "%.4f"), (" IR Inten    --", "ir", "%.4f")):
            out.append(label + "".join("%*s" % (w if k else 11, fmt % m[key])
                                       for k, (m, w) in enumerate(zip(group, widths))))
        out.append(" Atom AN      X      Y      Z" + "        X      Y      Z" * (len(group) - 1))
        for a, (sym, *_) in enumerate(final):
            row = "%4d%4d" % (a + 1, NUMBERS[sym])
            for m in group:
                x, y, z = (round(v, 2) + 0.0 for v in m["disp"][3 * a:3 * a + 3])
                row += "%9.2f%7.2f%7.2f" % (x, y, z)
            out.append(row)
    out.append("")


def thermochemistry(out, final):
    out.append(" -------------------")
    out.append(" - Thermochemistry -")
    out.append(" -------------------")
    out.append(" Temperature   298.150 Kelvin.  Pressure   1.00000 Atm.")
    for a, (sym, *_) in enumerate(final, 1):
        out.append(" Atom %2d has atomic number %2d and mass %9.5f" % (a, NUMBERS[sym], MASSES[sym]))
