#pragma once
// The indexes of this thread that were told of an edit and have not rebuilt
// since: each rebuilds on its next read. A stale index shows the tree as it
// is when it is read, which is what it must show only as long as nothing
// has changed since its last report. So before the child list of any
// section changes, every stale index that the edit will not report to is
// brought up to date first; it then goes on showing the tree as it was at
// its last report, exactly as if it had rebuilt on that report.

#include "core/model/ChangeHandler.h"

namespace corvane::stale_indexes {

// Call before a section's child list changes. `reportTo` is the handler the
// edit reports to once the list has changed (unassigned when it reports
// nothing); every stale index but the one behind that handler rebuilds now.
// A failed rebuild raises before anything has changed.
void BeforeEdit(const TChangeHandler& reportTo);

// The same for an edit that reports nothing and must not fail (freeing): a
// rebuild that fails leaves its index stale, to be rebuilt on its next read.
void BeforeQuietEditNoThrow() noexcept;

} // namespace corvane::stale_indexes
