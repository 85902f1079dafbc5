#include "core/editor/HeadersForm.h"

#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"

#include <exception>

namespace corvane::editor {

THeadersFrm::THeadersFrm() {
    OkBtn.OnClick = [this] { OkBtnClick(); };
    CancelBtn.OnClick = [this] { CancelBtnClick(); };
    ApplyBtn.OnClick = [this] { ApplyBtnClick(); };
}

void THeadersFrm::SetCaption(const std::string& value) {
    caption_ = value;
    if (CaptionView != nullptr)
        CaptionView->Refresh();
}

void THeadersFrm::FormShow() {
    if (HeaderControl != nullptr)
        LoadFromHeader(*HeaderControl);
}

void THeadersFrm::OkBtnClick() {
    // The result is set first: the dialog closes even when writing back fails.
    ModalResult = mrOk;
    if (Dirty && HeaderControl != nullptr)
        WriteToHeader(*HeaderControl);
}

void THeadersFrm::CancelBtnClick() {
    ModalResult = mrCancel;
}

void THeadersFrm::ApplyBtnClick() {
    if (!Dirty || HeaderControl == nullptr)
        return;
    HeaderControl->BeforeApply();
    WriteToHeader(*HeaderControl);
    HeaderControl->AfterApply();
}

namespace {

// Step 6 of the cycle, on every way out of the modal loop.
class CloseScope {
public:
    CloseScope(TStrativ& header, THeadersFrm& form) : header_(header), form_(form) {}
    ~CloseScope() noexcept(false) {
        const bool unwinding = std::uncaught_exceptions() > pending_;
        try {
            if (form_.Dirty)
                header_.Sections()->Changed(true);
            header_.Repaint();
        } catch (...) {
            form_.HeaderControl = nullptr;
            if (!unwinding)
                throw;
            return;
        }
        form_.HeaderControl = nullptr;
    }
    CloseScope(const CloseScope&) = delete;
    CloseScope& operator=(const CloseScope&) = delete;

private:
    TStrativ& header_;
    THeadersFrm& form_;
    int pending_ = std::uncaught_exceptions();
};

} // namespace

bool RunCustomizeDialog(TStrativ& header, const TCustomizeFormFactory& createForm) {
    std::unique_ptr<TCustomizeForm> window = createForm();
    THeadersFrm& form = window->Form();
    form.HeaderControl = &header;
    form.SetCaption(form.Caption() + " " + header.Name());
    form.Dirty = false;
    {
        CloseScope close(header, form);
        window->ShowModal();
    }
    return form.Dirty;
}

} // namespace corvane::editor
