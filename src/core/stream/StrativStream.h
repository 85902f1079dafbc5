#pragma once
// The whole control stream, as hosts store the control: the "TPF0"
// signature, class name, component name, the stored properties and the
// (empty) list of child components.

#include "core/framework/streaming/ByteReader.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace corvane {

class TStrativ;

// The most a reader takes from a host's stream: the control's data (some
// four million sections at most, far beyond any header a person uses) lies
// within it. Reading a stream that never ends to its end would only exhaust
// memory.
constexpr size_t MaxStrativStreamSize = 64u << 20;

std::vector<uint8_t> SaveStrativ(TStrativ& Control);

// Reads a control stream into an existing control and then lets it finish
// loading (Loaded rebuilds its index), also when reading fails half-way.
// Returns the number of bytes the control's data took: a host's stream may
// go on with data of its own.
size_t LoadStrativ(TStrativ& Control, ByteView Bytes);

// Called after each entry was read into the control, with where its bytes
// (name and value) start and end.
using TEntryRead = std::function<void(size_t Start, size_t End)>;
size_t LoadStrativ(TStrativ& Control, ByteView Bytes, const TEntryRead& OnEntryRead);

} // namespace corvane
