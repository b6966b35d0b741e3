Voran/Pelivo: rivedarulation (1.0) map=river_valley.map
Water voles along the Ashbrook valley
Five colonies on the main river and two side streams.
Abundances are adult females counted in spring.
Mink control keeps survival at the values below.
Distances in hundreds of metres.
500
30
TRUE
1 FALSE
0
Regional
Abundances
All
Lognormal
Mill pond,12,48,60,LO,1.8,90,0.35,,0,,0.45,
Weir reach,25,40,35,LO,1.6,50,0.35,,0,,0.45,
Ashford meadows,41,33,80,BH,1.7,120,0.3,,0,,0.5,
Becks end,52,51,15,BH,1.5,30,0.4,,-0.5,,0.4,
Lower marsh,70,22,45,LO,1.9,70,0.35,,0,,0.45,
Migration
TRUE
0.150,8,0.4,25
20
350
1
-End of file-
