; Regions 192, 300, 250, ... are out of order.
; expect-stderr: Error: Main section regions are out of order
; expect-exit: 4
.header
    .r1 300
    .r2 250
.end
.main
    return_nil
.end
