#!/usr/bin/env python3
"""Writes the formaldehyde examples from one NWChem calculation.

Every number comes from the NWChem run of scripts/formaldehyde.nw
(RHF/6-31G*, optimisation then frequencies):

  scripts/make-example.py                 runs nwchem (must be installed)
  scripts/make-example.py nwchem.out      uses the output of an earlier run

Files written in examples/:
  formaldehyde_opt_freq.log   laid out the way Gaussian 98 prints an
      optimisation followed by a frequency job (scripts/gaussian_layout.py
      says how the frequency part is carried over). Each optimisation step
      has the geometry and gradient NWChem computed, its energy, and its
      convergence lines (Gmax, Grms, Xmax, Xrms) with YES where NWChem
      marked the criterion "ok"; NWChem's thresholds are the ones printed.
  formaldehyde_zmatrix.dat    a Gaussian input of the optimised molecule as
      a Z-matrix: the bond lengths and the H-C-O angle are the values of
      NWChem's final internal coordinates (its "autoz" table after the
      optimisation), under "Variables"; the planar dihedral under "Constants".
  formaldehyde_cartesian.dat  the same input with NWChem's final Cartesian
      coordinates (Angstrom, the orientation of the .log example).
  formaldehyde_c1.inp         a GAMESS input (RHF/6-31G* Hessian) of the
      same coordinates in point group C1: every atom listed.
  formaldehyde_c2v.inp        the same in point group C2v (CNV 2): the C2
      axis is z, so only the symmetry-unique atoms C, O and one H are listed
      and GAMESS generates the second H.
Standard library only.
"""

import sys

from gaussian_layout import (BOHR_PER_ANGSTROM, NUMBERS, both_orientations, convergence,
                             forces, frequency_tables, header, nwchem_text, parse, save,
                             thermochemistry, vibrations)

SCRIPT = "make-example.py"
ROUTE = "#P RHF/6-31G* Opt Freq"
TITLE = "Formaldehyde, RHF/6-31G* geometry optimised by NWChem"


def write_log(parsed):
    steps, status, final, modes, freq, dipole, intensity = parsed
    out = []
    header(out, SCRIPT, "#P RHF/6-31G* Opt", "Formaldehyde RHF/6-31G* optimisation and frequencies")
    for n, step in enumerate(steps):
        energy, values, flags = status[n]
        atoms = [(s, x / BOHR_PER_ANGSTROM, y / BOHR_PER_ANGSTROM, z / BOHR_PER_ANGSTROM)
                 for s, x, y, z in step["coords"]]
        both_orientations(out, atoms)
        out.append(" Standard basis: 6-31G(d) (6D, 7F)")
        out.append(" SCF Done:  E(RHF) =  %.9f     A.U. after   10 cycles" % energy)
        forces(out, step["coords"], step["grad"])
        out.append(" Berny optimization.")
        out.append(" Search for a local minimum.")
        out.append(" Step number %3d out of a maximum of  50" % (n + 1))
        gmax, grms, xrms, xmax = values
        ok_gmax, ok_grms, ok_xrms, ok_xmax = flags
        convergence(out, (gmax, grms, xmax, xrms), (ok_gmax, ok_grms, ok_xmax, ok_xrms))
        if all(flags):
            out.append(" Optimization completed.")
            out.append("    -- Stationary point found.")
            break
    both_orientations(out, final)
    out.append(" Normal termination of Gaussian 98.")

    # The frequency job at the optimised geometry.
    header(out, SCRIPT, "#P Geom=AllCheck Guess=Read RHF/6-31G* Freq", "Formaldehyde frequencies")
    both_orientations(out, final)
    frequency_tables(out, final, vibrations(final, modes, freq, dipole, intensity))
    thermochemistry(out, final)
    out.append(" Normal termination of Gaussian 98.")
    return "\n".join(out) + "\n"


def internal_coordinates(lines):
    """Bond lengths and angles of NWChem's table after the optimisation."""
    start = max(i for i, l in enumerate(lines) if "Final and change from initial internal" in l)
    values = {}
    for line in lines[start:]:
        t = line.split()
        if len(t) >= 6 and t[0].isdigit() and t[1] in ("Stretch", "Bend"):
            atoms = tuple(int(a) for a in t[2:-2])
            values[atoms] = float(t[-2])
        elif values and not line.strip():
            break
    return values


def gaussian_input(body):
    """Link 0, route, title and charge lines, then the molecule; a Gaussian
    input ends with a blank line."""
    head = ["%chk=formaldehyde.chk", ROUTE, "", TITLE, "", "0 1"]
    return "\n".join(head + body + [""]) + "\n"


def write_zmatrix(internal):
    # Atoms as NWChem numbers them: 1 C, 2 O, 3 H, 4 H.
    r_co, r_ch, a_och = internal[(1, 2)], internal[(1, 3)], internal[(2, 1, 3)]
    assert abs(internal[(1, 4)] - r_ch) < 1e-9 and abs(internal[(2, 1, 4)] - a_och) < 1e-9
    return gaussian_input([
        "C",
        "O  1  rco",
        "H  1  rch  2  aoch",
        "H  1  rch  2  aoch  3  dih",
        " Variables:",
        "  rco    %.5f" % r_co,
        "  rch    %.5f" % r_ch,
        "  aoch   %.5f" % a_och,
        " Constants:",
        "  dih    180.0",
    ])


def write_cartesian(final):
    return gaussian_input(["%-2s %15.8f %15.8f %15.8f" % (s, x + 0.0, y + 0.0, z + 0.0)
                           for s, x, y, z in final])


def gamess_input(group_lines, atoms):
    lines = [
        "! Formaldehyde RHF/6-31G*, geometry from NWChem (scripts/" + SCRIPT + ")",
        " $CONTRL SCFTYP=RHF RUNTYP=HESSIAN ICHARG=0 MULT=1 $END",
        " $BASIS  GBASIS=N31 NGAUSS=6 NDFUNC=1 $END",
        " $FORCE  METHOD=ANALYTIC $END",
        " $DATA",
        TITLE,
    ] + group_lines
    for s, x, y, z in atoms:
        lines.append("%-2s %5.1f %15.8f %15.8f %15.8f" % (s, NUMBERS[s], x + 0.0, y + 0.0, z + 0.0))
    lines.append(" $END")
    return "\n".join(lines) + "\n"


def symmetry_unique(final):
    """One atom of each pair the C2 rotation about z exchanges."""
    unique = []
    for s, x, y, z in final:
        image = (s, -x, -y, z)
        if not any(u[0] == s and all(abs(a - b) < 1e-6 for a, b in zip(u[1:], image[1:]))
                   for u in unique):
            unique.append((s, x, y, z))
    return unique


def main():
    text = nwchem_text(sys.argv, "formaldehyde.nw")
    lines = text.splitlines()
    parsed = parse(lines)
    final = parsed[2]
    save("formaldehyde_opt_freq.log", write_log(parsed))
    save("formaldehyde_zmatrix.dat", write_zmatrix(internal_coordinates(lines)))
    save("formaldehyde_cartesian.dat", write_cartesian(final))
    save("formaldehyde_c1.inp", gamess_input(["C1"], final))
    # CNV groups have a blank line after the point-group line.
    save("formaldehyde_c2v.inp", gamess_input(["CNV 2", ""], symmetry_unique(final)))


if __name__ == "__main__":
    main()
