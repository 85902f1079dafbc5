#pragma once
// Helpers shared by the section tree and index tests: trees written as text,
// trees read back as text, and a change handler that records every call.
//
// Tree text: captions separated by commas, children in parentheses after
// their parent, e.g. "A(A1,A2),B" for root -> [A -> [A1, A2], B].

#include "core/model/HeaderColumns.h"

#include <cstddef>
#include <string>
#include <vector>

namespace corvane::testing {

namespace detail {
inline void ParseInto(THeaderColumns* parent, const std::string& text, size_t& pos) {
    while (pos < text.size() && text[pos] != ')') {
        std::string caption;
        while (pos < text.size() && text[pos] != ',' && text[pos] != '(' && text[pos] != ')')
            caption += text[pos++];
        THeaderColumns* node = parent->Add(caption);
        if (pos < text.size() && text[pos] == '(') {
            ++pos;
            ParseInto(node, text, pos);
            ++pos; // ')'
        }
        if (pos < text.size() && text[pos] == ',')
            ++pos;
    }
}
} // namespace detail

// Adds the sections described by `text` under `parent`.
inline void AddTree(THeaderColumns* parent, const std::string& text) {
    size_t pos = 0;
    detail::ParseInto(parent, text, pos);
}

// The children of `node` in the same notation.
inline std::string Describe(const THeaderColumns* node) {
    std::string out;
    for (int i = 0; i < node->Count(); ++i) {
        const THeaderColumns* child = node->Items(i);
        if (i > 0)
            out += ',';
        out += child->Caption();
        if (child->HasChildren())
            out += '(' + Describe(child) + ')';
    }
    return out;
}

// Finds the first section with the given caption in pre-order below `node`.
inline THeaderColumns* Find(THeaderColumns* node, const std::string& caption) {
    for (THeaderColumns* child : node->Children()) {
        if (child->Caption() == caption)
            return child;
        if (THeaderColumns* found = Find(child, caption))
            return found;
    }
    return nullptr;
}

inline std::vector<std::string> Captions(const std::vector<THeaderColumns*>& nodes) {
    std::vector<std::string> out;
    for (const THeaderColumns* node : nodes)
        out.push_back(node ? node->Caption() : std::string("<none>"));
    return out;
}

// A change handler that records the section of every call.
struct ChangeLog {
    std::vector<THeaderColumns*> calls;

    static void Record(void* target, THeaderColumns* section) {
        static_cast<ChangeLog*>(target)->calls.push_back(section);
    }
    TChangeHandler Handler() { return TChangeHandler(&Record, this); }
    // Returns what was recorded so far and starts again.
    std::vector<THeaderColumns*> Take() {
        std::vector<THeaderColumns*> out;
        out.swap(calls);
        return out;
    }
};

} // namespace corvane::testing
