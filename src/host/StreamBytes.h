#pragma once
// An object's state through IPersistStreamInit, as bytes in memory and back.
// (Project code includes win32/WinApi.h first.)

#include "com/ComPtr.h"

#include <objidl.h>

#include <vector>

namespace corvane::host {

// Saves the object (clearing its dirty flag); throws HostError on failure.
std::vector<unsigned char> SaveToBytes(IUnknown* object);
// A stream holding `bytes`, positioned at its start.
com::TComPtr<IStream> StreamOnBytes(const std::vector<unsigned char>& bytes);

} // namespace corvane::host
