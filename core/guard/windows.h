// The portable core reaches the system only through core/ports; this header
// stands in front of the system's own so that including it fails everywhere,
// not just in the native build.
#error "the portable core must not include Windows headers"
