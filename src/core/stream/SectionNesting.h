#pragma once
// How deeply sections may nest in a stream. Reading and writing the tree use
// no recursion, but freeing and copying a tree still recurse once per level
// (about 65 and 110 bytes of stack per level on x86-64); 1000 levels keep
// them far inside a 1 MB thread stack, and real headers have a handful.

namespace corvane {

constexpr int MaxSectionNesting = 1000;

} // namespace corvane
