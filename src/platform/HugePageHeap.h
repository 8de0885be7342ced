#pragma once

namespace tarvok {

// A full phone book is some 260 000 small strings. Where the kernel gives transparent huge
// pages only on request, faulting in their memory 4 KiB at a time costs more than reading
// the file (on a virtual machine three times as much). glibc asks for huge pages for its
// heap when this tunable is in the environment at process start, so the front sets it for
// the window program it becomes.
inline constexpr char kHugePageTunable[] = "glibc.malloc.hugetlb=1";

// Puts the request in the environment before the front becomes the window program, unless
// the user set tunables of their own: those stay as they are.
void RequestHugePageHeap();

// Takes the front's request out of the environment again once glibc has read it, so that
// nothing the window program starts inherits it.
void DropHugePageRequest();

// Blocks up to 32 MiB come from the heap, and so from its huge pages. By default glibc maps
// each block over 128 KiB on its own, where no huge page fits: the four full lists' storage
// (1.8 MiB each) would be faulted in 4 KiB at a time.
void KeepLargeBlocksInTheHeap();

} // namespace tarvok
