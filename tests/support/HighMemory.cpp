#include "support/HighMemory.h"

HighMemory::HighMemory(SIZE_T bytes) {
    if (sizeof(void*) < 8) return;
    // From 16 GiB on in 4 GiB steps: one of them is free in any process.
    for (unsigned long long gib = 16; m_block == nullptr && gib <= 64; gib += 4) {
        void* address = reinterpret_cast<void*>(static_cast<UINT_PTR>(gib << 30));
        m_block = VirtualAlloc(address, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    }
}

HighMemory::~HighMemory() {
    if (m_block != nullptr) VirtualFree(m_block, 0, MEM_RELEASE);
}
