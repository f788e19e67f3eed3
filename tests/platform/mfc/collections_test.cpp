#include "mfc/mfc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

template <typename T, typename A> std::vector<T> items(const CArray<T, A>& array) {
    std::vector<T> out;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        out.push_back(array[i]);
    return out;
}

TEST(CArray, GrowsAndKeepsOrder) {
    CArray<int, int> numbers;
    EXPECT_TRUE(numbers.IsEmpty());
    EXPECT_EQ(numbers.GetData(), nullptr);
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(numbers.Add(i * 3), i);
    EXPECT_EQ(numbers.GetSize(), 1000);
    EXPECT_EQ(numbers.GetCount(), 1000);
    EXPECT_EQ(numbers.GetUpperBound(), 999);
    EXPECT_EQ(numbers.GetAt(999), 2997);
    EXPECT_EQ(numbers.GetData()[10], 30);
    numbers.SetAt(0, -1);
    numbers.ElementAt(1) = -2;
    numbers[2] = -3;
    EXPECT_EQ(items(numbers).at(2), -3);
    numbers.SetSize(3);
    EXPECT_EQ(items(numbers), (std::vector<int>{-1, -2, -3}));
    numbers.SetSize(5);
    EXPECT_EQ(items(numbers), (std::vector<int>{-1, -2, -3, 0, 0}));
    numbers.SetAtGrow(7, 9);
    EXPECT_EQ(items(numbers), (std::vector<int>{-1, -2, -3, 0, 0, 0, 0, 9}));
    numbers.RemoveAll();
    EXPECT_EQ(numbers.GetSize(), 0);
}

TEST(CArray, InsertAtAndRemoveAt) {
    CArray<int, int> a;
    a.Add(1);
    a.Add(2);
    a.Add(3);
    a.InsertAt(0, 0);
    a.InsertAt(4, 4);
    a.InsertAt(2, 7, 2);
    EXPECT_EQ(items(a), (std::vector<int>{0, 1, 7, 7, 2, 3, 4}));
    a.InsertAt(9, 5); // beyond the end: the gap is filled with default elements
    EXPECT_EQ(items(a), (std::vector<int>{0, 1, 7, 7, 2, 3, 4, 0, 0, 5}));
    a.RemoveAt(2, 2);
    a.RemoveAt(0);
    a.RemoveAt(a.GetUpperBound());
    EXPECT_EQ(items(a), (std::vector<int>{1, 2, 3, 4, 0, 0}));
    a.InsertAt(1, a[0], 3); // the element inserted lives in the array itself
    EXPECT_EQ(items(a), (std::vector<int>{1, 1, 1, 1, 2, 3, 4, 0, 0}));

    CArray<int, int> b;
    b.Add(8);
    b.Add(9);
    a.InsertAt(1, &b);
    EXPECT_EQ(items(a).at(1), 8);
    EXPECT_EQ(items(a).at(2), 9);
    EXPECT_EQ(a.Append(b), 11);
    EXPECT_EQ(a.GetSize(), 13);
    EXPECT_EQ(a.Append(a), 13);
    EXPECT_EQ(a.GetSize(), 26);
    EXPECT_EQ(a[25], 9);
    b.Copy(a);
    EXPECT_EQ(items(b), items(a));
}

TEST(CArray, IndexFaultsStopTheProgram) {
    CArray<int, int> a;
    a.Add(1);
    EXPECT_DEATH(a.GetAt(1), "GetAt: index 1 outside an array of 1");
    EXPECT_DEATH(a[-1], "index -1");
    EXPECT_DEATH(a.RemoveAt(0, 2), "RemoveAt");
    EXPECT_DEATH(a.RemoveAt(1), "RemoveAt");
    EXPECT_DEATH(a.SetAt(5, 0), "SetAt");
}

TEST(CStringArray, HoldsCopiesOfTexts) {
    CStringArray names;
    char buffer[16] = "first";
    names.Add(buffer);
    std::strcpy(buffer, "second");
    names.Add(CString(buffer));
    names.InsertAt(0, "zero");
    names.SetAtGrow(4, "four");
    ASSERT_EQ(names.GetSize(), 5);
    EXPECT_EQ(names[0], "zero");
    EXPECT_EQ(names[1], "first");
    EXPECT_EQ(names.GetAt(2), "second");
    EXPECT_TRUE(names[3].IsEmpty());
    EXPECT_EQ(names[4], "four");
    names[1] += ".jpg";
    EXPECT_EQ(names.ElementAt(1), "first.jpg");
}

TEST(CPtrArray, StoresPointers) {
    int x = 0, y = 0;
    CPtrArray pointers;
    pointers.Add(&x);
    pointers.Add(&y);
    pointers.InsertAt(1, static_cast<void*>(nullptr));
    EXPECT_EQ(pointers[0], &x);
    EXPECT_EQ(pointers[1], nullptr);
    EXPECT_EQ(pointers[2], &y);
}

} // namespace
