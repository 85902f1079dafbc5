#include "core/stream/SectionTreeText.h"

#include "core/framework/streaming/IdentMap.h"
#include "core/framework/streaming/PublishedProperty.h"
#include "core/framework/streaming/Reader.h"
#include "core/framework/streaming/StreamErrors.h"
#include "core/framework/streaming/Writer.h"
#include "core/model/HeaderColumns.h"
#include "core/platform/Utf8.h"
#include "core/stream/StreamDump.h"

#include <climits>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <utility>
#include <vector>

namespace corvane {

void WriteSectionTreeText(std::ostream& Out, const THeaderColumns& Root, int Indent) {
    std::vector<std::pair<const THeaderColumns*, int>> pending{{&Root, Indent}};
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        const char* alignment = AlignmentIdents.NameOf(node->Alignment());
        Out << std::string(static_cast<size_t>(depth) * 2, ' ') << QuoteString(node->Caption())
            << " type=" << node->TypeCol() << " width=" << node->StoredWidth()
            << " height=" << node->Height() << " align=" << (alignment ? alignment : "?")
            << " wordwrap=" << (node->Wordwrap() ? "True" : "False") << '\n';
        const auto& children = node->Children();
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            pending.emplace_back(*it, depth + 1);
    }
}

std::string SectionTreeText(const THeaderColumns& Root) {
    std::ostringstream out;
    WriteSectionTreeText(out, Root, 0);
    return out.str();
}

namespace {

// One line of the text; every failure is the stream's own read error.
class LineParser {
public:
    explicit LineParser(const std::string& line) : line_(line) {}

    int Indent() {
        while (at_ < line_.size() && line_[at_] == ' ')
            ++at_;
        if (at_ % 2 != 0)
            RaiseInvalidPropertyValue();
        return static_cast<int>(at_ / 2);
    }

    std::string Caption() {
        std::string caption;
        bool any = false;
        while (at_ < line_.size() && (line_[at_] == '\'' || line_[at_] == '#')) {
            any = true;
            if (line_[at_++] == '#') {
                const long code = Number();
                if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                    RaiseInvalidPropertyValue();
                const char16_t units[2] = {
                    static_cast<char16_t>(code < 0x10000 ? code
                                                         : 0xD800 + ((code - 0x10000) >> 10)),
                    static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF))};
                caption += Utf8FromUtf16(units, code < 0x10000 ? 1 : 2);
                continue;
            }
            while (true) {
                if (at_ >= line_.size())
                    RaiseInvalidPropertyValue();
                const char c = line_[at_++];
                if (c != '\'') {
                    caption += c;
                } else if (at_ < line_.size() && line_[at_] == '\'') {
                    caption += '\'';
                    ++at_;
                } else {
                    break;
                }
            }
        }
        if (!any)
            RaiseInvalidPropertyValue();
        return caption;
    }

    // The next key=value pair; false at the end of the line.
    bool Pair(std::string& key, std::string& value) {
        while (at_ < line_.size() && (line_[at_] == ' ' || line_[at_] == '\t'))
            ++at_;
        if (at_ >= line_.size())
            return false;
        const size_t end = line_.find_first_of(" \t", at_);
        const std::string token = line_.substr(at_, end == std::string::npos ? end : end - at_);
        at_ = end == std::string::npos ? line_.size() : end;
        const size_t equals = token.find('=');
        if (equals == std::string::npos)
            RaiseInvalidPropertyValue();
        key = token.substr(0, equals);
        value = token.substr(equals + 1);
        return true;
    }

private:
    long Number() {
        const size_t start = at_;
        while (at_ < line_.size() && line_[at_] >= '0' && line_[at_] <= '9' && at_ - start < 8)
            ++at_;
        if (at_ == start)
            RaiseInvalidPropertyValue();
        return std::strtol(line_.substr(start, at_ - start).c_str(), nullptr, 10);
    }

    const std::string& line_;
    size_t at_ = 0;
};

int32_t IntegerValue(const std::string& text) {
    if (text.empty() || text.size() > 11)
        RaiseInvalidPropertyValue();
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (*end != 0 || value < INT_MIN || value > INT_MAX)
        RaiseInvalidPropertyValue();
    return static_cast<int32_t>(value);
}

void ApplyPair(THeaderColumns& Node, const std::string& Key, const std::string& Value) {
    if (SameText(Key, "type")) {
        Node.SetTypeCol(IntegerValue(Value));
    } else if (SameText(Key, "width")) {
        Node.SetWidth(IntegerValue(Value));
    } else if (SameText(Key, "height")) {
        Node.StoreHeight(IntegerValue(Value));
    } else if (SameText(Key, "align")) {
        const std::optional<int32_t> alignment = AlignmentIdents.ValueOf(Value);
        if (!alignment)
            RaiseInvalidPropertyValue();
        Node.SetAlignment(static_cast<TAlignment>(*alignment));
    } else if (SameText(Key, "wordwrap")) {
        if (!SameText(Value, "True") && !SameText(Value, "False"))
            RaiseInvalidPropertyValue();
        Node.SetWordwrap(SameText(Value, "True"));
    } else {
        RaiseInvalidPropertyValue();
    }
}

} // namespace

void ReadSectionTreeText(const std::string& Text, THeaderColumns& Root) {
    // The whole text is read into a tree of its own first, so that a
    // damaged text changes nothing.
    THeaderColumns parsed;
    std::vector<THeaderColumns*> path;
    std::istringstream lines(Text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        LineParser parser(line);
        const size_t depth = static_cast<size_t>(parser.Indent());
        if (depth > path.size() || (path.empty() != (depth == 0)))
            RaiseInvalidPropertyValue();
        path.resize(depth);
        THeaderColumns* node = depth == 0 ? &parsed : path.back()->Add(std::string());
        node->SetCaption(parser.Caption());
        std::string key;
        std::string value;
        while (parser.Pair(key, value))
            ApplyPair(*node, key, value);
        path.push_back(node);
    }
    if (path.empty())
        RaiseInvalidPropertyValue();
    // Through the stream's own value, so that the tree loads exactly as
    // from a stored control (heights below 2 raised, IDs handed out).
    TWriter writer;
    parsed.WriteData(writer);
    const std::vector<uint8_t> bytes = writer.TakeBytes();
    TReader reader(bytes);
    Root.ReadData(reader);
}

} // namespace corvane
