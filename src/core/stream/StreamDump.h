#pragma once
// Readable text of a stored control or section tree, for people looking into
// a document: every stored entry as "Name = value", then each section tree
// one section per line, indented by depth. Faulty data raises the same read
// errors as loading it would.

#include "core/framework/streaming/ByteReader.h"

#include <string>

namespace corvane {

std::string DumpControlStream(ByteView Bytes);
// One bare "HeaderColumns" value.
std::string DumpHeaderColumnsValue(ByteView Bytes);

// A byte string as text: printable ASCII quoted ('It''s'), other bytes as
// #code, so that any caption prints on one plain line.
std::string QuoteString(const std::string& Value);

} // namespace corvane
