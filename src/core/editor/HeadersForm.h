#pragma once
// The customizing dialog's logic: the shared editor with OK, Cancel and
// Apply around it, and the cycle that runs it modally for a header.

#include "core/editor/HeaderEditor.h"

#include <functional>
#include <memory>
#include <string>

namespace corvane::editor {

enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

class THeadersFrm : public THeaderEditor {
public:
    static constexpr const char* DefaultCaption = "Customizing...";

    THeadersFrm();

    TButtonModel OkBtn, CancelBtn, ApplyBtn;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    // Set by OK and Cancel (and the window's close box); ends the modal loop.
    int ModalResult = mrNone;
    // Shows the caption (the platform window, when there is one).
    TWidgetView* CaptionView = nullptr;

    // The form is being shown: loads the header's values and tree.
    void FormShow();
    // OK: closes with mrOk, then writes everything back when Dirty.
    void OkBtnClick();
    void CancelBtnClick();
    // Writes everything back when Dirty, between BeforeApply and AfterApply;
    // the dialog stays open.
    void ApplyBtnClick();

private:
    std::string caption_ = DefaultCaption;
};

// The platform's window around a THeadersFrm.
class TCustomizeForm {
public:
    virtual ~TCustomizeForm() = default;
    virtual THeadersFrm& Form() = 0;
    // Shows the form modally (running FormShow as it appears) until its
    // ModalResult is set.
    virtual void ShowModal() = 0;
};

// Creates the platform's form; creation runs the form's FormCreate.
using TCustomizeFormFactory = std::function<std::unique_ptr<TCustomizeForm>()>;

// The dialog for header, modally: returns the final Dirty. Whatever ends the
// modal loop (also an error), a dirty dialog reports the tree's change
// (Changed(true) on the sections), and the header is repainted.
bool RunCustomizeDialog(TStrativ& header, const TCustomizeFormFactory& createForm);

} // namespace corvane::editor
