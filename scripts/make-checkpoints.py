#!/usr/bin/python3
"""Writes the formaldehyde formatted checkpoint examples with psi4.

  examples/formaldehyde_sto3g.FChk    RHF/STO-3G
  examples/formaldehyde_631gs.FChk    RHF/6-31G* with Cartesian d functions

Both at the optimised geometry of examples/formaldehyde_opt_freq.log, taken
from its last "Standard orientation:" table and kept exactly where it is
(no_com, no_reorient, symmetry c1), so the orbital contours computed from
these files lie over the molecule of that example. psi4 writes the file
(its fchk writer converts the orbitals to the Gaussian order of the
functions, and gives the coefficients of the d functions xy, xz and yz for
functions normalised each on its own, as Gaussian does); every number in
it is psi4's. psi4's file has every section the program reads (counts on
lines 6 and 9, basis name at the end of line 2, atomic numbers,
coordinates, alpha orbital coefficients), so nothing is added.

psi4 is needed only to regenerate the files; it is a Debian package:

  apt-get install -y psi4
  /usr/bin/python3 scripts/make-checkpoints.py

(Debian's python3, for which the package is built; the package puts the
module in /usr/lib/x86_64-linux-gnu, which the script adds to the path.)

The SCF is converged tightly (1e-10) so that the coefficients printed with
eight digits do not depend on the starting guess; run on the same psi4 the
script writes the same bytes.
"""

import atexit
import os
import shutil
import sys
import tempfile

# psi4 removes its own scratch files when the interpreter exits; the folder
# goes after that (exit handlers run last registered first).
SCRATCH = tempfile.mkdtemp(prefix="kalviro-psi4-")
atexit.register(shutil.rmtree, SCRATCH, True)

try:
    import psi4
except ImportError:
    sys.path.append("/usr/lib/x86_64-linux-gnu")
    import psi4

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLES = os.path.normpath(os.path.join(HERE, "..", "examples"))
SYMBOLS = {1: "H", 6: "C", 8: "O"}
JOBS = (("sto-3g", "formaldehyde_sto3g.FChk"), ("6-31g*", "formaldehyde_631gs.FChk"))


def last_standard_orientation(path):
    """Rows (symbol, x, y, z) in Angstrom of the file's last standard orientation."""
    with open(path) as f:
        lines = f.read().splitlines()
    start = max(i for i, l in enumerate(lines) if "Standard orientation:" in l)
    atoms = []
    for line in lines[start + 5:]:
        if line.startswith(" ---"):
            break
        t = line.split()
        atoms.append((SYMBOLS[int(t[1])], *map(float, t[3:6])))
    return atoms


def molecule(atoms):
    rows = ["%-2s %12.6f %12.6f %12.6f" % a for a in atoms]
    return "\n".join(["0 1"] + rows + ["units angstrom", "no_com", "no_reorient", "symmetry c1"])


def write(atoms, basis, name):
    psi4.core.clean()
    mol = psi4.geometry(molecule(atoms))
    psi4.set_options({"basis": basis, "reference": "rhf", "scf_type": "pk",
                      "puream": False, "e_convergence": 1e-10, "d_convergence": 1e-10})
    energy, wfn = psi4.energy("scf", molecule=mol, return_wfn=True)
    path = os.path.join(EXAMPLES, name)
    psi4.fchk(wfn, path)
    homo = wfn.nalpha() - 1
    print("wrote %s: E = %.8f, %d basis functions, HOMO %d at %.6f Hartree"
          % (path, energy, wfn.nso(), homo + 1, wfn.epsilon_a().get(homo)))


def main():
    atoms = last_standard_orientation(os.path.join(EXAMPLES, "formaldehyde_opt_freq.log"))
    os.chdir(SCRATCH)  # psi4 leaves a timer file in the working folder
    psi4.core.IOManager.shared_object().set_default_path(SCRATCH)
    psi4.core.set_output_file(os.path.join(SCRATCH, "psi4.out"), False)
    psi4.set_memory("500 MB")
    for basis, name in JOBS:
        write(atoms, basis, name)


if __name__ == "__main__":
    main()
