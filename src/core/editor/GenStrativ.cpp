#include "core/editor/GenStrativ.h"

#include "core/control/Strativ.h"

namespace corvane::editor {

TGenStrativ::TGenStrativ() {
    SetValueChangedObserver([this] {
        if (loading_ || modified_)
            return;
        modified_ = true;
        if (OnModified)
            OnModified();
    });
}

void TGenStrativ::LoadPage(TStrativ* header) {
    HeaderControl = header;
    if (header != nullptr) {
        loading_ = true;
        try {
            LoadFromHeader(*header);
        } catch (...) {
            loading_ = false;
            modified_ = false;
            throw;
        }
        loading_ = false;
    }
    modified_ = false;
}

void TGenStrativ::ApplyPage() {
    if (Dirty && HeaderControl != nullptr)
        WriteToHeader(*HeaderControl);
    modified_ = false;
}

} // namespace corvane::editor
