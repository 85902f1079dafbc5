#pragma once
// Decimal integer texts of the editor's number fields.

#include <optional>
#include <string>

namespace corvane::editor {

// The value of a decimal text: optional blanks, an optional sign, digits, and
// nothing after them, within the signed 32-bit range. Anything else: none.
std::optional<int> TryStrToInt(const std::string& text);

// The same, raising "'%s' is not a valid integer value" for a text that does
// not convert.
int StrToInt(const std::string& text);

} // namespace corvane::editor
