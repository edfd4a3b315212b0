// placeholder until written.
