#pragma once
// The verbs the control offers to host menus besides "Properties". One list
// for what registration writes under the class key and for what the object
// itself lists to hosts that find no class key (registration-free).

namespace corvane::server {

inline constexpr int CustomizeVerb = 1;
inline constexpr int AboutVerb = 2;
inline constexpr const wchar_t* CustomizeVerbName = L"Customize...";
inline constexpr const wchar_t* AboutVerbName = L"About Strativ...";

} // namespace corvane::server
