// Objects placed above the first 4 GiB of the address space, where the 64-bit build's heap
// never puts them: a pointer or handle cut to 32 bits on its way then points elsewhere.
#pragma once

#include <windows.h>

#include <new>
#include <utility>

// One committed block above 4 GiB; empty in the 32-bit build, where no such address exists.
class HighMemory {
public:
    explicit HighMemory(SIZE_T bytes);
    ~HighMemory();
    HighMemory(const HighMemory&) = delete;
    HighMemory& operator=(const HighMemory&) = delete;

    void* Block() const { return m_block; }

private:
    void* m_block = nullptr;
};

// An object of type T built in a high block and destroyed with it.
template <typename T>
class HighObject {
public:
    template <typename... Args>
    explicit HighObject(Args&&... args) : m_memory(sizeof(T)) {
        if (m_memory.Block() != nullptr) m_object = new (m_memory.Block()) T(std::forward<Args>(args)...);
    }
    ~HighObject() {
        if (m_object != nullptr) m_object->~T();
    }
    HighObject(const HighObject&) = delete;
    HighObject& operator=(const HighObject&) = delete;

    T* Get() const { return m_object; }
    T* operator->() const { return m_object; }

private:
    HighMemory m_memory;
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
