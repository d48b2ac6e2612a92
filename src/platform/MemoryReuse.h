#pragma once

// Loading a project of many MB allocates as much again in cells and items, and closing it frees
// them. By default the allocator gives large freed memory back to the system and takes fresh
// pages for the next load, each of which costs a trip into the system when first written: for
// a 14 MB project that is longer than the reading itself. Called once at start, this keeps
// freed memory (up to a bound) for the next load to reuse instead.
namespace hakoniwa {

void keepFreedMemoryForReuse();

} // namespace hakoniwa
