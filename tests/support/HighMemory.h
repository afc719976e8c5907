// Objects placed above the first 4 GiB of the address space, where the 64-bit build's heap
// never puts them: a pointer or handle cut to 32 bits on its way then points elsewhere.
#pragma once

#include <windows.h>

#include <new>
#include <utility>

// An object of type T built in a committed block above 4 GiB and destroyed with it; none in the
// 32-bit build, where no such address exists.
template <typename T>
class HighObject {
public:
    template <typename... Args>
    explicit HighObject(Args&&... args) {
        if (sizeof(void*) < 8) return;
        // From 16 GiB on in 4 GiB steps: one of them is free in any process.
        for (unsigned long long gib = 16; m_block == nullptr && gib <= 64; gib += 4) {
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

// Whether this build has addresses above 4 GiB; tests of them skip where it has none.
constexpr bool kHasHighAddresses = sizeof(void*) == 8;

// A value whose low 32 bits are those of the given one and whose high bits are not zero.
inline UINT_PTR AboveFourGiB(UINT_PTR value) { return value | static_cast<UINT_PTR>(1ull << 40); }
template <typename T>
T* AboveFourGiB(T* pointer) {
    return reinterpret_cast<T*>(AboveFourGiB(reinterpret_cast<UINT_PTR>(pointer)));
}
