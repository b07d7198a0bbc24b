// Turns the layer number SURF_LAYER (an expression) into SURF_REGISTER, the
// sampler register that puts a sampler on that pixel texture layer. Included
// once per sampler by LightWaveSurface.h.
#undef SURF_REGISTER
#if SURF_LAYER == 0
#define SURF_REGISTER register(s0)
#elif SURF_LAYER == 1
#define SURF_REGISTER register(s1)
#elif SURF_LAYER == 2
#define SURF_REGISTER register(s2)
#elif SURF_LAYER == 3
#define SURF_REGISTER register(s3)
#elif SURF_LAYER == 4
#define SURF_REGISTER register(s4)
#elif SURF_LAYER == 5
#define SURF_REGISTER register(s5)
#elif SURF_LAYER == 6
#define SURF_REGISTER register(s6)
#elif SURF_LAYER == 7
#define SURF_REGISTER register(s7)
#else
#error "a LightWave surface sampler past the 8 pixel texture layers"
#endif
