Voran/Pelivo: single population (1.0) map=ÿ
Moor frogs of a restored fen
Breeding females counted at spawning; R from six years of counts.
Density dependence of the contest type: wetland area limits breeding sites.


500
30
TRUE
1 FALSE
0
Regional
Abundances
All
Lognormal
Fen frogs,,,180,BH,1.12,400,0.25,,,,0.45,
Migration
TRUE
0.000,,,
20
600
1
-End of file-
