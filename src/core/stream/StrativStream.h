#pragma once
// The whole control stream, as hosts store the control: the "TPF0"
// signature, class name, component name, the stored properties and the
// (empty) list of child components.

#include "core/framework/streaming/ByteReader.h"

#include <cstdint>
#include <vector>

namespace corvane {

class TStrativ;

std::vector<uint8_t> SaveStrativ(TStrativ& Control);

// Reads a control stream into an existing control and then lets it finish
// loading (Loaded rebuilds its index), also when reading fails half-way.
// Returns the number of bytes the control's data took: a host's stream may
// go on with data of its own.
size_t LoadStrativ(TStrativ& Control, ByteView Bytes);

} // namespace corvane
