#pragma once
// A section tree as text, one section a line: the form the property bag
// stores (a host's form file, a web page's PARAM) and the tool prints.
//
//   'Root' type=0 width=75 height=17 align=taLeftJustify wordwrap=False
//     'Name' type=0 width=200 height=17 align=taLeftJustify wordwrap=False
//
// Two spaces of indent per level below the root. The caption is quoted as
// in the dump: 'text' with '' for a quote, #n for the character with code
// n outside quotes. Keys may come in any order; a key left out keeps what a
// new section has.

#include <iosfwd>
#include <string>

namespace corvane {

class THeaderColumns;

void WriteSectionTreeText(std::ostream& Out, const THeaderColumns& Root, int Indent);
std::string SectionTreeText(const THeaderColumns& Root);

// Replaces Root's fields and children with the tree of Text, read exactly as
// the stream's "HeaderColumns" value would be. Text that does not parse
// raises "Invalid property value" before Root is touched.
void ReadSectionTreeText(const std::string& Text, THeaderColumns& Root);

} // namespace corvane
