#pragma once
// Helpers for writing expected stream bytes in tests.

#include "core/framework/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace corvane::stream_test {

using Bytes = std::vector<uint8_t>;

inline Bytes B(std::initializer_list<int> values) {
    Bytes bytes;
    for (int v : values)
        bytes.push_back(static_cast<uint8_t>(v));
    return bytes;
}

inline Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// A property name: 1-byte length, the bytes.
inline Bytes Name(const std::string& name) {
    Bytes bytes{static_cast<uint8_t>(name.size())};
    bytes.insert(bytes.end(), name.begin(), name.end());
    return bytes;
}

// A short string (06) or identifier (07) value.
inline Bytes ShortString(const std::string& text, uint8_t tag = 0x06) {
    Bytes bytes{tag, static_cast<uint8_t>(text.size())};
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}
inline Bytes Ident(const std::string& text) {
    return ShortString(text, 0x07);
}

template <class... Parts> Bytes Cat(const Parts&... parts) {
    Bytes all;
    (all.insert(all.end(), parts.begin(), parts.end()), ...);
    return all;
}

// The message of the EReadError that f raises; fails the test if none.
template <class F> std::string ReadErrorOf(F&& f) {
    try {
        f();
    } catch (const EReadError& e) {
        return e.what();
    }
    ADD_FAILURE() << "no EReadError";
    return std::string();
}

} // namespace corvane::stream_test
