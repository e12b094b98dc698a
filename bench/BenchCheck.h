#pragma once

#include "store/Result.h"
#include "store/StoreError.h"

#include <QtGlobal>

namespace tagwright::bench {

// A store step a measurement depends on: a failure ends the run naming it, rather than
// timing work that was not done.
inline void mustWork(const store::StoreError& error)
{
    if (!error.ok())
        qFatal("%s", qUtf8Printable(error.describe()));
}

// The value of a store step a measurement depends on.
template <class T>
T mustWork(store::Result<T> result)
{
    mustWork(result.error());
    return std::move(result).value();
}

}  // namespace tagwright::bench
