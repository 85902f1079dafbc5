#pragma once
// The box a failed object creation shows: the error's message, caption
// "DAX Error", no owner window, the stop icon, brought to the foreground.

#include <string>

namespace corvane::server {

// The message as the box shows it: a full stop is appended when the last
// character's code is above that of the full stop (so "...failed" gets one,
// while "...failed." and "...failed!" stay as they are).
std::string DaxErrorText(const std::string& message);

void ShowDaxError(const std::string& message);

} // namespace corvane::server
