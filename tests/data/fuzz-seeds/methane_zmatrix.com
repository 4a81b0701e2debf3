%chk=methane.chk
# HF/STO-3G Opt

methane, Z-matrix with variables

0 1
C
H 1 r
H 1 r 2 a
H 1 r 2 a 3 d
H 1 r 2 a 3 -d

Variables:
r=1.09
a=109.4712
d=120.0

