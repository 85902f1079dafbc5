#pragma once
// Identifiers that stand for integer values in the stream: enumeration
// members, set members, named colours, cursors and character sets of the
// framework. A control adds the identifiers of its own types next to its
// property table.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace corvane {

struct TIdentMapEntry {
    int32_t Value;
    const char* Name;
};

class TIdentMap {
public:
    template <size_t N>
    constexpr TIdentMap(const TIdentMapEntry (&entries)[N]) : entries_(entries), count_(N) {}

    // nullptr when the value has no name.
    const char* NameOf(int32_t Value) const;
    // Compared without regard to letter case.
    std::optional<int32_t> ValueOf(const std::string& Name) const;

    const TIdentMapEntry* begin() const { return entries_; }
    const TIdentMapEntry* end() const { return entries_ + count_; }

private:
    const TIdentMapEntry* entries_;
    size_t count_;
};

// Enumerations (value = ordinal).
extern const TIdentMap BevelCutIdents;
extern const TIdentMap ButtonStyleIdents;
extern const TIdentMap BorderStyleIdents;
extern const TIdentMap AlignIdents;
extern const TIdentMap AlignmentIdents;
extern const TIdentMap BiDiModeIdents;
// Set members (value = bit).
extern const TIdentMap FontStyleIdents;
// Integer properties written as an identifier where one is defined.
extern const TIdentMap ColorIdents;
extern const TIdentMap CursorIdents;
extern const TIdentMap CharsetIdents;

} // namespace corvane
