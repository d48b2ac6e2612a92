#include "platform/MemoryReuse.h"

#include <cstdlib> // tells which C library this is (__GLIBC__), which no header above does

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace hakoniwa {

void keepFreedMemoryForReuse() {
#ifdef __GLIBC__
    // Blocks up to 32 MB (the allocator's largest setting) come from the heap instead of
    // being mapped and unmapped one by one, and up to 64 MB freed at the heap's top stay
    // there. The allocator reaches much the same by itself after the first large block is
    // freed; this makes the first load behave as every later one.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}

} // namespace hakoniwa
