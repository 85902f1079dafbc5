#pragma once
// The customizing dialog as the control runs it: modal, on the control's own
// properties and tree. The editor supplies the implementation.

namespace corvane {

class TStrativ;

class TCustomizeDialog {
public:
    virtual ~TCustomizeDialog() = default;
    // Runs the dialog modally for the header; returns when it has closed.
    virtual void Execute(TStrativ& header) = 0;
};

} // namespace corvane
