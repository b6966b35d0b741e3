Voran/Pelivo: rivedarulation (1.0) map=ÿ
Skinks on three offshore islets
Islets are too far apart for regular dispersal;
drought years hit all three together.


1000
50
FALSE
1 FALSE
0
Regional
Abundances
All
Lognormal
Gull rock,5,5,400,BH,1.3,600,0.25,,0,,0.7,
Long islet,160,40,900,BH,1.25,1200,0.2,,0,,0.72,
Seal stack,230,-15,150,CE,1.2,250,0.3,,-2,,0.68,
Migration
TRUE
0.000,0,0.9,1


1
-End of file-
