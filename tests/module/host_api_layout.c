/* Compiled with -m32: the header's static assertions check every documented offset. */
#include <trommik2/host_api.h>

#if UINTPTR_MAX != 0xFFFFFFFF
#error "this check must be compiled for a 32-bit target"
#endif
