#pragma once
// Entries into a control from outside: a window message, a COM method, an
// event it fires, a font's notification. Whoever owns the control counts the
// entries that are open and frees nothing while one is: a host may let go of
// the control from inside a modal loop an entry runs (a menu, a dialog, a
// box, an event handler), and the code that ran the loop must find
// everything in place when it returns. The last entry to close frees what
// was let go meanwhile.

namespace corvane::win32 {

class TEntryOwner {
public:
    // Opens an entry; false refuses it (a call on a thread other than the
    // owner's), and then nothing is opened.
    virtual bool EnterControl() noexcept = 0;
    // Closes an entry; closing the outermost one may free the owner.
    virtual void LeaveControl() noexcept = 0;

protected:
    ~TEntryOwner() = default;
};

// One entry for the life of a scope. Declare it before anything else of the
// scope: it must close last, after which the owner may be gone.
class ControlEntry {
public:
    explicit ControlEntry(TEntryOwner* owner) noexcept
        : owner_(owner != nullptr && owner->EnterControl() ? owner : nullptr),
          refused_(owner != nullptr && owner_ == nullptr) {}
    ~ControlEntry() {
        if (owner_ != nullptr)
            owner_->LeaveControl();
    }
    ControlEntry(const ControlEntry&) = delete;
    ControlEntry& operator=(const ControlEntry&) = delete;

    bool Refused() const { return refused_; }

private:
    TEntryOwner* owner_;
    bool refused_;
};

} // namespace corvane::win32
