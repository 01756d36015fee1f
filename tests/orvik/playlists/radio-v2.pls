[playlist]
NumberOfEntries=3
file1=http://ice1.somafm.com/groovesalad-128-mp3
File2=Music/Queen/Innuendo.mp3
File3=Music/Abba - Waterloo.mp3
Title1=SomaFM: Groove Salad
Title2=Queen - Innuendo
Title3=ABBA - Waterloo
Length1=-1
Length2=391
Length3=165
Version=2
