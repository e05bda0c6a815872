#pragma once

#include <gtest/gtest.h>

// The ends of a list a test looks at. An empty list fails the test and gives a default
// element, so that a missing result is a failed expectation, never a crash that hides every
// later result of the test program.
namespace testing_support {

template <typename List>
typename List::value_type LastOf(const List& list) {
    if (!list.empty()) return list.back();
    ADD_FAILURE() << "the list is empty";
    return {};
}

template <typename List>
typename List::value_type FirstOf(const List& list) {
    if (!list.empty()) return list.front();
    ADD_FAILURE() << "the list is empty";
    return {};
}

}  // namespace testing_support
