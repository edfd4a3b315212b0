; nbody: the classic five-body simulation; measures float arithmetic and property access.
; Bodies are objects with the fields x, y, z, vx, vy, vz and mass. The energies are printed
; in billionths, rounded to an integer (the reference prints them with nine decimals).
.main
    .const $body function "body" params=7
        load_const "x"
        get_local_0
        load_const "y"
        get_local_1
        load_const "z"
        get_local_2
        load_const "vx"
        get_local 3
        get_global "DAYS_PER_YEAR"
        mul
        load_const "vy"
        get_local 4
        get_global "DAYS_PER_YEAR"
        mul
        load_const "vz"
        get_local 5
        get_global "DAYS_PER_YEAR"
        mul
        load_const "mass"
        get_local 6
        get_global "SOLAR_MASS"
        mul
        build_object 7
        return
    .end
    .const $offset function "offset_momentum" params=1 locals=7
        load_const $zero
        set_local_1            ; px
        load_const $zero
        set_local_2            ; py
        load_const $zero
        set_local_3            ; pz
        get_local_0
        len
        arith_top_imm sub 1
        set_local 6
        push_i8 0
        set_local 4
        iter_begin 4 6 summed
    each:
        load_index_lll 5 0 4
        get_property_l 5 "vx"
        get_property_l 5 "mass"
        mul
        arith_local_pop 1 add
        get_property_l 5 "vy"
        get_property_l 5 "mass"
        mul
        arith_local_pop 2 add
        get_property_l 5 "vz"
        get_property_l 5 "mass"
        mul
        arith_local_pop 3 add
        iter_next 4 6 each
    summed:
        load_index_lli 5 0 0   ; the sun
        get_local 1
        neg
        get_global "SOLAR_MASS"
        div
        set_property_l 5 "vx"
        get_local 2
        neg
        get_global "SOLAR_MASS"
        div
        set_property_l 5 "vy"
        get_local 3
        neg
        get_global "SOLAR_MASS"
        div
        set_property_l 5 "vz"
        return_nil
        .const $zero float 0.0
    .end
    .const $energy function "energy" params=1 locals=10
        load_const $zero
        set_local_1            ; e
        get_local_0
        len
        arith_top_imm sub 1
        set_local_2            ; last index
        push_i8 0
        set_local_3            ; i
        iter_begin 3 2 done
    bodies_i:
        load_index_lll 4 0 3   ; bi
        get_local_1
        load_const $half
        get_property_l 4 "mass"
        mul
        get_property_l 4 "vx"
        get_property_l 4 "vx"
        mul
        get_property_l 4 "vy"
        get_property_l 4 "vy"
        mul
        add
        get_property_l 4 "vz"
        get_property_l 4 "vz"
        mul
        add
        mul
        add
        set_local_1
        get_local_3
        arith_top_imm add 1
        set_local 5            ; j
        iter_begin 5 2 next_i
    bodies_j:
        load_index_lll 6 0 5   ; bj
        get_property_l 4 "x"
        get_property_l 6 "x"
        sub
        set_local 7
        get_property_l 4 "y"
        get_property_l 6 "y"
        sub
        set_local 8
        get_property_l 4 "z"
        get_property_l 6 "z"
        sub
        set_local 9
        get_local_1
        get_property_l 4 "mass"
        get_property_l 6 "mass"
        mul
        get_local 7
        get_local 7
        mul
        get_local 8
        get_local 8
        mul
        add
        get_local 9
        get_local 9
        mul
        add
        call_builtin_1 Math.Sqrt
        div
        sub
        set_local_1
        iter_next 5 2 bodies_j
    next_i:
        iter_next 3 2 bodies_i
    done:
        get_local_1
        return
        .const $zero float 0.0
        .const $half float 0.5
    .end
    .const $advance function "advance" params=2 locals=15
        get_local_0
        len
        arith_top_imm sub 1
        set_local 14           ; last index
        push_i8 0
        set_local_3            ; i
        iter_begin 3 14 moved
    pairs_i:
        load_index_lll 4 0 3   ; bi
        get_local_3
        arith_top_imm add 1
        set_local 5            ; j
        iter_begin 5 14 next_i
    pairs_j:
        load_index_lll 6 0 5   ; bj
        get_property_l 4 "x"
        get_property_l 6 "x"
        sub
        set_local 7
        get_property_l 4 "y"
        get_property_l 6 "y"
        sub
        set_local 8
        get_property_l 4 "z"
        get_property_l 6 "z"
        sub
        set_local 9
        get_local 7
        get_local 7
        mul
        get_local 8
        get_local 8
        mul
        add
        get_local 9
        get_local 9
        mul
        add
        set_local 10           ; d2
        get_local_1
        get_local 10
        get_local 10
        call_builtin_1 Math.Sqrt
        mul
        div
        set_local 11           ; mag
        get_property_l 4 "mass"
        get_local 11
        mul
        set_local 12           ; bm
        get_property_l 6 "mass"
        get_local 11
        mul
        set_local 13           ; bjm
        get_property_l 4 "vx"
        get_local 7
        get_local 13
        mul
        sub
        set_property_l 4 "vx"
        get_property_l 4 "vy"
        get_local 8
        get_local 13
        mul
        sub
        set_property_l 4 "vy"
        get_property_l 4 "vz"
        get_local 9
        get_local 13
        mul
        sub
        set_property_l 4 "vz"
        get_property_l 6 "vx"
        get_local 7
        get_local 12
        mul
        add
        set_property_l 6 "vx"
        get_property_l 6 "vy"
        get_local 8
        get_local 12
        mul
        add
        set_property_l 6 "vy"
        get_property_l 6 "vz"
        get_local 9
        get_local 12
        mul
        add
        set_property_l 6 "vz"
        iter_next 5 14 pairs_j
    next_i:
        iter_next 3 14 pairs_i
    moved:
        push_i8 0
        set_local_3
        iter_begin 3 14 done
    positions:
        load_index_lll 4 0 3
        get_property_l 4 "x"
        get_local_1
        get_property_l 4 "vx"
        mul
        add
        set_property_l 4 "x"
        get_property_l 4 "y"
        get_local_1
        get_property_l 4 "vy"
        mul
        add
        set_property_l 4 "y"
        get_property_l 4 "z"
        get_local_1
        get_property_l 4 "vz"
        mul
        add
        set_property_l 4 "z"
        iter_next 3 14 positions
    done:
        return_nil
    .end
    .const $main function "Main" locals=5
        push_i8 0
        push_i8 0
        push_i8 0
        push_i8 0
        push_i8 0
        push_i8 0
        push_i8 1
        call_global "body" 7
        load_const $b1_0
        load_const $b1_1
        load_const $b1_2
        load_const $b1_3
        load_const $b1_4
        load_const $b1_5
        load_const $b1_6
        call_global "body" 7
        load_const $b2_0
        load_const $b2_1
        load_const $b2_2
        load_const $b2_3
        load_const $b2_4
        load_const $b2_5
        load_const $b2_6
        call_global "body" 7
        load_const $b3_0
        load_const $b3_1
        load_const $b3_2
        load_const $b3_3
        load_const $b3_4
        load_const $b3_5
        load_const $b3_6
        call_global "body" 7
        load_const $b4_0
        load_const $b4_1
        load_const $b4_2
        load_const $b4_3
        load_const $b4_4
        load_const $b4_5
        load_const $b4_6
        call_global "body" 7
        build_array 5 0
        set_local_0            ; bodies
        get_local_0
        call_global "offset_momentum" 1
        pop
        get_local_0
        call_global "energy" 1
        set_local_1            ; e0
        push_i32 500000
        set_local_2            ; n
        push_one
        set_local_3
        iter_begin 3 2 simulated
    step:
        get_local_0
        load_const $dt
        call_global "advance" 2
        pop
        iter_next 3 2 step
    simulated:
        get_local_0
        call_global "energy" 1
        set_local 4            ; e1
        load_const "nbody "
        get_local_2
        load_const " "
        get_local_1
        load_const $giga
        mul
        call_builtin_1 Math.Round
        to_int
        load_const " "
        get_local 4
        load_const $giga
        mul
        call_builtin_1 Math.Round
        to_int
        concat_n 6
        call_builtin_1 Console.WriteLine
        pop
        push_i8 0
        return
        .const $dt float 0.01
        .const $giga float 1e9
        .const $b1_0 float 4.84143144246472090e+00
        .const $b1_1 float -1.16032004402742839e+00
        .const $b1_2 float -1.03622044471123109e-01
        .const $b1_3 float 1.66007664274403694e-03
        .const $b1_4 float 7.69901118419740425e-03
        .const $b1_5 float -6.90460016972063023e-05
        .const $b1_6 float 9.54791938424326609e-04
        .const $b2_0 float 8.34336671824457987e+00
        .const $b2_1 float 4.12479856412430479e+00
        .const $b2_2 float -4.03523417114321381e-01
        .const $b2_3 float -2.76742510726862411e-03
        .const $b2_4 float 4.99852801234917238e-03
        .const $b2_5 float 2.30417297573763929e-05
        .const $b2_6 float 2.85885980666130812e-04
        .const $b3_0 float 1.28943695621391310e+01
        .const $b3_1 float -1.51111514016986312e+01
        .const $b3_2 float -2.23307578892655734e-01
        .const $b3_3 float 2.96460137564761618e-03
        .const $b3_4 float 2.37847173959480950e-03
        .const $b3_5 float -2.96589568540237556e-05
        .const $b3_6 float 4.36624404335156298e-05
        .const $b4_0 float 1.53796971148509165e+01
        .const $b4_1 float -2.59193146099879641e+01
        .const $b4_2 float 1.79258772950371181e-01
        .const $b4_3 float 2.68067772490389322e-03
        .const $b4_4 float 1.62824170038242295e-03
        .const $b4_5 float -9.51592254519715870e-05
        .const $b4_6 float 5.15138902046611451e-05
    .end
    make_function $body
    define_global "body"
    make_function $offset
    define_global "offset_momentum"
    make_function $energy
    define_global "energy"
    make_function $advance
    define_global "advance"
    load_const $pi
    define_global "PI"
    push_i8 4
    get_global "PI"
    mul
    get_global "PI"
    mul
    define_global "SOLAR_MASS"
    load_const $days
    define_global "DAYS_PER_YEAR"
    return_nil
    .const $pi float 3.141592653589793
    .const $days float 365.24
.end
