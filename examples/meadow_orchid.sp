Voran/Pelivo: single population (1.0) map=ÿ
Orchid of a grazed meadow
Flowering plants; scramble competition for open ground.
Poor years follow dry springs (standard deviation of R).


1000
20
FALSE
1 FALSE
0
Regional
Abundances
All
Lognormal
Meadow,,,900,LO,1.6,1200,0.35,,,,0.4,
Migration
TRUE
0.000,,,
100
2000
1
-End of file-
