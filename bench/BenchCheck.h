#pragma once

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

}  // namespace tagwright::bench
