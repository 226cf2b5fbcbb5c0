#pragma once
// Memory for shape objects. A drawing holds shapes by the hundred thousand, of a few
// sizes, made and freed together (a load, a paste, an undo). Slots of each size are cut
// from blocks of 64 KB and go on a free list of their size when freed, so making a shape
// takes a slot off a list and freeing one puts it back: no allocator header per shape,
// and no search through a heap that earlier drawings left fragmented. Freed slots serve
// the next shapes of their size; the blocks are kept for the life of the process.
// Builds with AddressSanitizer use the ordinary allocator, so that a shape used after it
// was freed is still reported.
#include "mycad_export.h"

#include <cstddef>

namespace ShapeMemory {

MYCAD_EXPORT void* Allocate(std::size_t Size);
// Size: the size the slot was allocated with.
MYCAD_EXPORT void Free(void* Slot, std::size_t Size) noexcept;
// Whether shapes live in the pool's slots (false under AddressSanitizer).
MYCAD_EXPORT bool Pooled();
// The bytes of the blocks taken from the heap so far, and of the slots in use (measures
// for benchmarks and tests; shapes larger than a slot count in neither).
MYCAD_EXPORT std::size_t ReservedBytes();
MYCAD_EXPORT std::size_t InUseBytes();

} // namespace ShapeMemory
