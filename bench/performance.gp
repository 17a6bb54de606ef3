# Time per vertex against document size, plug-in and host-call baseline, from the
# data scripts/bench writes (one block per case: vertices, plug-in ns, baseline ns;
# the cases' names in titles). Dashed: the host-call baseline of the same case.
set terminal pngcairo size 1100,700 font "DejaVu Sans,10"
set output out
set title "Gridwell: CPU time per vertex against document size (median)"
set xlabel "vertices in the document"
set ylabel "ns per vertex"
set logscale x
set xrange [5000:2000000]
set yrange [0:*]
set key outside right top noenhanced
set grid
# One block per title (the data ends in a blank block that stats would count).
plot for [i=0:words(titles)-1] data index i using 1:2 with linespoints lw 2 title word(titles, i + 1), \
     for [i=0:words(titles)-1] data index i using 1:3 with lines dt 2 lc i+1 notitle
