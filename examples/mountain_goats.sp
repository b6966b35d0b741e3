Voran/Pelivo: single population (1.0) map=ÿ
Reintroduced mountain goats
Founders released in one valley; the herd cannot outgrow its winter range.



200
50
FALSE
1 FALSE
0
Regional
Abundances
All
Lognormal
Valley herd,,,24,CE,1.18,150,0.12,,,,0.85,
Migration
TRUE
0.000,,,
5
150
1
-End of file-
