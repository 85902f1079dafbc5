#include "server/module/DaxErrorBox.h"

#include "win32/WinApi.h"

namespace corvane::server {

std::string DaxErrorText(const std::string& message) {
    // Bytes of the ANSI code page compare unsigned: a letter with an accent
    // (0xE9) is above the full stop as much as 'a' is.
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + '.';
    return message;
}

void ShowDaxError(const std::string& message) {
    ::MessageBoxA(nullptr, DaxErrorText(message).c_str(), "DAX Error",
                  MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
}

} // namespace corvane::server
