#pragma once
// Helpers for writing expected stream bytes in tests.

#include "core/framework/Exceptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
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

// The helpers below build their bytes as a string, or size their result
// first and copy into it: GCC 12 at -O3 reports false -Warray-bounds and
// -Wstringop-overflow inside std::vector::insert into a vector of one or two
// elements, and these helpers are where tests would do that.

// Length byte(s) followed by the text.
inline Bytes Prefixed(std::initializer_list<int> head, const std::string& text) {
    std::string all;
    for (int v : head)
        all += static_cast<char>(v);
    all += text;
    return Bytes(all.begin(), all.end());
}

// A property name: 1-byte length, the bytes.
inline Bytes Name(const std::string& name) {
    return Prefixed({static_cast<int>(static_cast<uint8_t>(name.size()))}, name);
}

// A short string (06) or identifier (07) value.
inline Bytes ShortString(const std::string& text, uint8_t tag = 0x06) {
    return Prefixed({tag, static_cast<int>(static_cast<uint8_t>(text.size()))}, text);
}
inline Bytes Ident(const std::string& text) {
    return ShortString(text, 0x07);
}

template <class... Parts> Bytes Cat(const Parts&... parts) {
    Bytes all((parts.size() + ... + size_t{0}));
    auto out = all.begin();
    ((out = std::copy(parts.begin(), parts.end(), out)), ...);
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
