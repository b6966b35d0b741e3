Voran/Pelivo: rivedarulation (1.0) map=ÿ
Natterjack toads in four dune-slack ponds
Deterministic projection of the restored ponds.



0
25
FALSE
1 FALSE
0
Regional
Abundances
All
Lognormal
East slack,0,0,30,CE,1.4,200,0,,0,,0.3,
Middle slack,3,1,10,CE,1.4,150,0,,0,,0.3,
West slack,6,0,0,CE,1.4,150,0,,0,,0.3,
New scrape,4,4,0,CE,1.4,80,0,,2,,0.3,
Migration
TRUE
0.080,2,0.6,8
5
300
1
-End of file-
