#pragma once
// Memory of a headless run: a large drawing takes a few tens of megabytes of
// fresh memory, and on a virtual machine every 4 KB page of it costs a page
// fault that is dear. The heap is asked for huge pages instead, where the
// system offers them (transparent huge pages in "madvise" mode).

namespace tools {

// Grows the heap in large steps and advises huge pages for it. Call first
// thing in main, before any large allocation. Only advice: on a system
// without huge pages nothing changes.
void preferHugePages();

} // namespace tools
