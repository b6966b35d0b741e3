Voran/Pelivo: rivedarulation (1.0) map=ÿ
Three heath populations
First comment

Comment with trailing blanks  
été survey
250
40
TRUE
1 FALSE
0
Regional
Abundances
All
Lognormal
North heath,10,20,120,LO,1.25,300,0.15,,0.5,,0.6,
South heath,14.5,-3,80,CE,1.1,150,0.1,x,,0.2,0.7,
Bog edge,30,5,40,EX,1.05,,0,,,,0.5,
Migration
TRUE
0.200,15,0.5,40
12
450
1
-End of file-
