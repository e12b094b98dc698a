#pragma once

#include "store/Result.h"

#include <gtest/gtest.h>

#include <utility>

namespace tagwright::test {

// The value of a store result the test expects to have one; a failure is reported, naming
// its error, and gives an empty value.
template <class T>
T expectValue(store::Result<T> result)
{
    EXPECT_TRUE(result.ok()) << result.error().describe().toStdString();
    return result ? std::move(result).value() : T();
}

}  // namespace tagwright::test
