#pragma once
// A section tree on its own: one bare "HeaderColumns" value (a list that
// starts with 0x01), as the control stream carries it for its root.

#include "core/framework/streaming/ByteReader.h"

#include <cstdint>
#include <vector>

namespace corvane {

class THeaderColumns;

std::vector<uint8_t> SaveHeaderColumnsValue(THeaderColumns& Node);
// Reads the value into Node, replacing its children; returns the bytes it took.
size_t LoadHeaderColumnsValue(THeaderColumns& Node, ByteView Bytes);

} // namespace corvane
