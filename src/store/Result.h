#pragma once

#include "StoreError.h"

#include <utility>
#include <variant>

namespace tagwright::store {

// A value, or the error that kept it from being had. Operations that can fail return one
// instead of filling an out-parameter; a result left unlooked-at is a compiler warning.
template <class T, class E = StoreError>
class [[nodiscard]] Result {
public:
    Result(T value) : m_outcome(std::in_place_index<0>, std::move(value)) {}
    Result(E error) : m_outcome(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return m_outcome.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<0>(m_outcome); }
    T& value() & { return std::get<0>(m_outcome); }
    // From a result about to go, the value itself: a loop over *store.titles() has its list.
    T value() && { return std::get<0>(std::move(m_outcome)); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    T operator*() && { return std::move(*this).value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }

    // The error; a default one (no error) when there is a value.
    E error() const { return ok() ? E() : std::get<1>(m_outcome); }

private:
    std::variant<T, E> m_outcome;
};

}  // namespace tagwright::store
