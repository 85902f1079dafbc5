#pragma once
// Sets a variable for the length of a scope and puts the old value back on
// every way out of it.

#include <utility>

namespace corvane {

template <class T> class ScopedValue {
public:
    ScopedValue(T& variable, T value) : variable_(variable), old_(std::move(variable)) {
        variable_ = std::move(value);
    }
    ~ScopedValue() { variable_ = std::move(old_); }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& variable_;
    T old_;
};

} // namespace corvane
