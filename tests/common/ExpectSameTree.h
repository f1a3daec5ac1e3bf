#pragma once
// Compares two item trees field by field, children in order, and checks
// that every child points back at its parent. `where` names the place of a
// difference as a path of child indexes.

#include "model/BookmarkItem.h"

#include <gtest/gtest.h>

#include <string>

inline void expectSameTree(const BookmarkItem& expected, const BookmarkItem& actual,
                           const std::string& where = "root")
{
    EXPECT_EQ(expected.type, actual.type) << where;
    EXPECT_EQ(expected.title, actual.title) << where;
    EXPECT_EQ(expected.url, actual.url) << where;
    EXPECT_EQ(expected.message, actual.message) << where;
    EXPECT_EQ(expected.date, actual.date) << where;
    EXPECT_EQ(expected.marks, actual.marks) << where;
    ASSERT_EQ(expected.children.size(), actual.children.size()) << where;
    auto other = actual.children.begin();
    int index = 0;
    for (const ItemRef& child : expected.children) {
        EXPECT_EQ((*other)->parent, &actual) << where;
        expectSameTree(*child, **other++, where + "/" + std::to_string(index++));
    }
}
