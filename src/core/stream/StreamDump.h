#pragma once
// Readable text of a stored control or section tree, for people looking into
// a document: every stored entry as "Name = value", then each section tree
// one section per line, indented by depth. Faulty data raises the same read
// error, on the same entry, as loading it would.

#include "core/framework/streaming/ByteReader.h"

#include <ostream>
#include <string>

namespace corvane {

// Prints the entries as they are read; on faulty data the error follows
// what was printed up to the faulty entry.
void DumpControlStream(ByteView Bytes, std::ostream& Out);
std::string DumpControlStream(ByteView Bytes);
// One bare "HeaderColumns" value.
std::string DumpHeaderColumnsValue(ByteView Bytes);

// A byte string as text: printable ASCII quoted ('It''s'), other bytes as
// #code, so that any caption prints on one plain line.
std::string QuoteString(const std::string& Value);

} // namespace corvane
