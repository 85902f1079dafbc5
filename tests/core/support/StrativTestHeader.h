#pragma once
// A header control on a FakeWindowServices window, with its tree written as
// text: captions separated by commas, children in parentheses, an optional
// ":width" and "/height" after a caption. "P/10(A:40,B:60),C" is a section P
// of height 10 over leaves A and B (widths 40 and 60), then a leaf C.

#include "../HeaderColumnsTestTree.h"
#include "FakeWindowServices.h"
#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"

#include <cstdlib>
#include <ostream>
#include <string>

namespace corvane {
// Readable rectangles in test failures.
inline void PrintTo(const TRect& r, std::ostream* os) {
    *os << "(" << r.Left << "," << r.Top << ")-(" << r.Right << "," << r.Bottom << ")";
}
} // namespace corvane

namespace corvane::testing {

inline void AddSections(THeaderColumns* parent, const std::string& text, size_t& pos) {
    while (pos < text.size() && text[pos] != ')') {
        std::string caption;
        while (pos < text.size() && std::string(",():/").find(text[pos]) == std::string::npos)
            caption += text[pos++];
        THeaderColumns* node = parent->Add(caption);
        while (pos < text.size() && (text[pos] == ':' || text[pos] == '/')) {
            const char what = text[pos++];
            const char* start = text.c_str() + pos;
            char* end = nullptr;
            const long value = std::strtol(start, &end, 10);
            pos += static_cast<size_t>(end - start);
            if (what == ':')
                node->SetWidth(static_cast<int>(value));
            else
                node->StoreHeight(static_cast<int>(value));
        }
        if (pos < text.size() && text[pos] == '(') {
            ++pos;
            AddSections(node, text, pos);
            ++pos; // ')'
        }
        if (pos < text.size() && text[pos] == ',')
            ++pos;
    }
}

// Replaces the whole tree under the control's root and reports it.
inline void SetTree(TStrativ& header, const std::string& text) {
    header.Sections()->Clear();
    size_t pos = 0;
    AddSections(header.Sections(), text, pos);
    header.Sections()->Changed(true);
}

inline THeaderColumns* FindSection(const THeaderColumns* node, const std::string& caption) {
    return Find(const_cast<THeaderColumns*>(node), caption);
}

inline std::string CaptionOf(const THeaderColumns* section) {
    return section != nullptr ? section->Caption() : std::string("<none>");
}

// The tree in the syntax SetTree reads: leaves with their widths, sections
// with children with their band heights.
inline std::string TreeText(const THeaderColumns* node) {
    std::string out;
    for (const THeaderColumns* child : node->Children()) {
        if (!out.empty())
            out += ',';
        out += child->Caption();
        if (child->HasChildren())
            out += "/" + std::to_string(child->Height()) + "(" + TreeText(child) + ")";
        else
            out += ":" + std::to_string(child->Width());
    }
    return out;
}

// The tree below `node` as text, without widths and heights: "A(a1,a2),B".
inline std::string DescribeTree(const THeaderColumns* node) {
    return Describe(node);
}

// The columns as the index lists them: "a1,a2,B".
inline std::string LeafCaptions(const TStrativ& header) {
    std::string out;
    for (int i = 0; i < header.Levels().LeafCount(); ++i)
        out += (i > 0 ? "," : "") + header.Levels().Leaf(i)->Caption();
    return out;
}

struct TestHeader {
    FakeWindowServices window;
    TStrativ header;

    TestHeader(const std::string& tree, int clientWidth, int clientHeight) {
        header.SetWindowServices(&window);
        header.SetClientSize(clientWidth, clientHeight);
        SetTree(header, tree);
        window.log.clear();
    }
    ~TestHeader() { header.SetWindowServices(nullptr); }
    TestHeader(const TestHeader&) = delete;
    TestHeader& operator=(const TestHeader&) = delete;

    THeaderColumns* operator[](const std::string& caption) const {
        return FindSection(header.Sections(), caption);
    }
};

} // namespace corvane::testing
