#!/usr/bin/env python3
"""Writes examples/water_freq_only.log from an NWChem calculation.

A frequency job without optimisation, laid out the way Gaussian 98 prints
one: the molecule printed once (input and standard orientation), the
frequency tables, then the forces and the convergence table of the
geometry the job was given. Every number comes from the NWChem run of
scripts/water.nw (RHF/6-31G*, a gradient and then frequencies at the
experimental geometry of water, r(OH) 0.9572 A and HOH 104.52 degrees,
which is not the RHF/6-31G* minimum; NWChem moves the molecule to its
centre of nuclear charge and the example prints NWChem's coordinates):

  scripts/make-water-example.py              runs nwchem (must be installed)
  scripts/make-water-example.py nwchem.out   uses the output of an earlier run

The frequency part is carried over as scripts/gaussian_layout.py says.
The convergence table: maximum and RMS force from NWChem's gradient; the
displacements are those of the Newton step over the three vibrations,
dx = -sum_i c_i (c_i . g) / lambda_i, with c_i NWChem's Cartesian mode
vectors (sum m c^2 = 1) and lambda_i = (nu_i / 219474.63)^2 * 1822.8885
Hartree/(bohr^2 amu); the predicted energy change is
-1/2 sum_i (c_i . g)^2 / lambda_i. A fixed geometry away from the minimum
gives NO for every criterion, as Gaussian prints it for such a job.
Standard library only.
"""

import sys

from gaussian_layout import (BOHR_PER_ANGSTROM, MASSES, both_orientations, convergence,
                             forces, fortran, frequency_tables, header, nwchem_text, parse,
                             rms, save, thermochemistry, vibrations, THRESHOLDS)

WAVENUMBER_PER_HARTREE = 219474.63
ELECTRON_MASSES_PER_AMU = 1822.8885


def newton_step(table, gradient):
    """Cartesian step (bohr) and predicted energy change (Hartree)."""
    step = [0.0] * len(gradient)
    change = 0.0
    for m in table:
        c = m["cartesian"]
        curvature = (m["freq"] / WAVENUMBER_PER_HARTREE) ** 2 * ELECTRON_MASSES_PER_AMU
        projection = sum(a * b for a, b in zip(c, gradient))
        for k, v in enumerate(c):
            step[k] -= v * projection / curvature
        change -= 0.5 * projection * projection / curvature
    return step, change


def scf_energy(lines):
    return [float(l.split()[-1]) for l in lines if "Total SCF energy" in l][-1]


def write(lines):
    steps, _, final, modes, freq, dipole, intensity = parse(lines)
    (gradient_step,) = steps
    for (s, *bohr), (t, *angstrom) in zip(gradient_step["coords"], final):
        assert s == t and all(abs(b / BOHR_PER_ANGSTROM - a) < 1e-5 for b, a in zip(bohr, angstrom))
    assert all(s in MASSES for s, *_ in final)
    table = vibrations(final, modes, freq, dipole, intensity)

    out = []
    header(out, "make-water-example.py", "#P RHF/6-31G* Freq",
           "Water RHF/6-31G* frequencies at the experimental geometry")
    both_orientations(out, final)
    out.append(" Standard basis: 6-31G(d) (6D, 7F)")
    out.append(" SCF Done:  E(RHF) =  %.9f     A.U. after   10 cycles" % scf_energy(lines))
    frequency_tables(out, final, table)
    thermochemistry(out, final)
    flat_forces = forces(out, gradient_step["coords"], gradient_step["grad"])
    step, change = newton_step(table, [g for row in gradient_step["grad"] for g in row])
    values = (max(map(abs, flat_forces)), rms(flat_forces), max(map(abs, step)), rms(step))
    convergence(out, values, [v < t for v, t in zip(values, THRESHOLDS)])
    out.append(" Predicted change in Energy=" + fortran(change, 6))
    out.append(" Normal termination of Gaussian 98.")
    return "\n".join(out) + "\n"


def main():
    save("water_freq_only.log", write(nwchem_text(sys.argv, "water.nw").splitlines()))


if __name__ == "__main__":
    main()
