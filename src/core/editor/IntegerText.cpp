#include "core/editor/IntegerText.h"

#include "core/framework/Exceptions.h"

#include <cstdint>

namespace corvane::editor {

std::optional<int> TryStrToInt(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    const int64_t limit = negative ? int64_t{INT32_MAX} + 1 : int64_t{INT32_MAX};
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

int StrToInt(const std::string& text) {
    if (const auto value = TryStrToInt(text))
        return *value;
    throw EConvertError(FormatMessage("'%s' is not a valid integer value", text.c_str()));
}

} // namespace corvane::editor
