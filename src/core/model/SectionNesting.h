#pragma once
// How deeply sections may nest in a stream. The tree itself walks without
// recursion at any depth; the limit keeps a stored document within what any
// reader of the format can be expected to take, and real headers have a
// handful of levels.

namespace corvane {

constexpr int MaxSectionNesting = 1000;

} // namespace corvane
