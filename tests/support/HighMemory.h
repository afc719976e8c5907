// Objects and values above the first 4 GiB of the address space, where the 64-bit build's heap
// never puts them: a pointer or handle cut to 32 bits on its way then points elsewhere.
#pragma once

#include <windows.h>

#include <new>
#include <utility>

// Tests of such values skip in the 32-bit build, where none exists.
constexpr bool kHasHighAddresses = sizeof(void*) == 8;

// An object of type T built in a committed block above 4 GiB and destroyed with it; none in the
// 32-bit build.
template <typename T>
class HighObject {
public:
    template <typename... Args>
    explicit HighObject(Args&&... args) {
        // From 16 GiB on in 4 GiB steps: one of them is free in any process.
        for (unsigned long long gib = 16; kHasHighAddresses && m_block == nullptr && gib <= 64; gib += 4) {
            void* address = reinterpret_cast<void*>(static_cast<UINT_PTR>(gib << 30));
            m_block = VirtualAlloc(address, sizeof(T), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        }
        if (m_block != nullptr) m_object = new (m_block) T(std::forward<Args>(args)...);
    }
    ~HighObject() {
        if (m_object != nullptr) m_object->~T();
        if (m_block != nullptr) VirtualFree(m_block, 0, MEM_RELEASE);
    }
    HighObject(const HighObject&) = delete;
    HighObject& operator=(const HighObject&) = delete;

    T* Get() const { return m_object; }
    T* operator->() const { return m_object; }

private:
    void* m_block = nullptr;
    T* m_object = nullptr;
};

// The value, or pointer, with its low 32 bits kept and a high bit set.
template <typename T>
T AboveFourGiB(T value) {
    return reinterpret_cast<T>(reinterpret_cast<UINT_PTR>(value) | static_cast<UINT_PTR>(1ull << 40));
}
