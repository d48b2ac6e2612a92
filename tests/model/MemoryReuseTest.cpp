#include "platform/MemoryReuse.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

#ifdef __GLIBC__
#include <malloc.h>
#endif

// A block as large as a big project file comes from the heap, where freeing it keeps it for the
// next load, instead of being mapped on its own and handed back to the system when freed.
TEST(MemoryReuse, LargeBlocksComeFromTheHeap) {
#if !defined(__GLIBC__) || defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the C library's own allocator is not in use";
#else
    hakoniwa::keepFreedMemoryForReuse();
    const std::size_t mappedBefore = mallinfo2().hblkhd;
    const auto block = std::make_unique<char[]>(20'000'000);
    EXPECT_EQ(mallinfo2().hblkhd, mappedBefore);
#endif
}
