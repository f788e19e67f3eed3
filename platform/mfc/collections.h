// The collection templates of the class library that the programs use: CArray and its
// CString and pointer forms. An index outside the array is a programming error and stops the
// program with a message, as the library's own checks do.
#pragma once

#include "mfc/cstring.h"

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace lv::mfc {

[[noreturn]] inline void array_index_fault(const char* operation, INT_PTR index, INT_PTR size) {
    std::fprintf(stderr, "CArray::%s: index %lld outside an array of %lld elements\n", operation,
                 static_cast<long long>(index), static_cast<long long>(size));
    std::abort();
}

} // namespace lv::mfc

template <typename TYPE, typename ARG_TYPE = const TYPE&> class CArray {
public:
    CArray() = default;
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;
    virtual ~CArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_items.empty(); }

    // growBy is accepted for compatibility; storage grows geometrically.
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1) {
        if (newSize < 0)
            lv::mfc::array_index_fault("SetSize", newSize, GetSize());
        m_items.resize(static_cast<std::size_t>(newSize));
    }
    void FreeExtra() { m_items.shrink_to_fit(); }
    void RemoveAll() { m_items.clear(); }

    const TYPE& GetAt(INT_PTR index) const { return m_items[checked(index, "GetAt")]; }
    TYPE& GetAt(INT_PTR index) { return m_items[checked(index, "GetAt")]; }
    void SetAt(INT_PTR index, ARG_TYPE element) { m_items[checked(index, "SetAt")] = element; }
    TYPE& ElementAt(INT_PTR index) { return m_items[checked(index, "ElementAt")]; }
    const TYPE& ElementAt(INT_PTR index) const { return m_items[checked(index, "ElementAt")]; }
    TYPE& operator[](INT_PTR index) { return ElementAt(index); }
    const TYPE& operator[](INT_PTR index) const { return ElementAt(index); }

    const TYPE* GetData() const { return m_items.empty() ? nullptr : m_items.data(); }
    TYPE* GetData() { return m_items.empty() ? nullptr : m_items.data(); }

    // Grows the array when index lies beyond its end.
    void SetAtGrow(INT_PTR index, ARG_TYPE element) {
        if (index < 0)
            lv::mfc::array_index_fault("SetAtGrow", index, GetSize());
        if (index >= GetSize()) {
            TYPE copy(element); // element may live in this array
            m_items.resize(static_cast<std::size_t>(index) + 1);
            m_items[static_cast<std::size_t>(index)] = std::move(copy);
            return;
        }
        m_items[static_cast<std::size_t>(index)] = element;
    }
    INT_PTR Add(ARG_TYPE element) {
        m_items.push_back(TYPE(element));
        return GetSize() - 1;
    }
    INT_PTR Append(const CArray& source) {
        const INT_PTR old_size = GetSize();
        if (&source == this) {
            m_items.reserve(m_items.size() * 2);
            m_items.insert(m_items.end(), m_items.begin(), m_items.begin() + old_size);
        } else {
            m_items.insert(m_items.end(), source.m_items.begin(), source.m_items.end());
        }
        return old_size;
    }
    void Copy(const CArray& source) {
        if (&source != this)
            m_items = source.m_items;
    }

    // An index beyond the end first grows the array to it.
    void InsertAt(INT_PTR index, ARG_TYPE element, INT_PTR count = 1) {
        if (index < 0 || count < 0)
            lv::mfc::array_index_fault("InsertAt", index, GetSize());
        if (count == 0)
            return;
        TYPE copy(element);
        if (index > GetSize())
            m_items.resize(static_cast<std::size_t>(index));
        m_items.insert(m_items.begin() + index, static_cast<std::size_t>(count), copy);
    }
    void InsertAt(INT_PTR startIndex, const CArray* source) {
        if (source == nullptr || startIndex < 0)
            lv::mfc::array_index_fault("InsertAt", startIndex, GetSize());
        const std::vector<TYPE> copy = source->m_items;
        if (startIndex > GetSize())
            m_items.resize(static_cast<std::size_t>(startIndex));
        m_items.insert(m_items.begin() + startIndex, copy.begin(), copy.end());
    }
    void RemoveAt(INT_PTR index, INT_PTR count = 1) {
        if (index < 0 || count < 0 || count > GetSize() - index)
            lv::mfc::array_index_fault("RemoveAt", index + count - 1, GetSize());
        m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
    }

private:
    std::size_t checked(INT_PTR index, const char* operation) const {
        if (index < 0 || index >= GetSize())
            lv::mfc::array_index_fault(operation, index, GetSize());
        return static_cast<std::size_t>(index);
    }

    std::vector<TYPE> m_items;
};

class CStringArray : public CArray<CString, const CString&> {};

class CPtrArray : public CArray<void*, void*> {};
