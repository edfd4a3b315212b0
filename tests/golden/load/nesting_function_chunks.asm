; Each function level adds two depths: the name and body of the 32nd nested function sit at depth 64.
; expect-stderr: Error: Nested levels for chunks/value too deep
; expect-exit: 4
.main
.const function "f0"
.const function "f1"
.const function "f2"
.const function "f3"
.const function "f4"
.const function "f5"
.const function "f6"
.const function "f7"
.const function "f8"
.const function "f9"
.const function "f10"
.const function "f11"
.const function "f12"
.const function "f13"
.const function "f14"
.const function "f15"
.const function "f16"
.const function "f17"
.const function "f18"
.const function "f19"
.const function "f20"
.const function "f21"
.const function "f22"
.const function "f23"
.const function "f24"
.const function "f25"
.const function "f26"
.const function "f27"
.const function "f28"
.const function "f29"
.const function "f30"
.const function "f31"
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
return_nil
.end
