#pragma once
// Keeps a control's font and an OLE font object in step, both ways: hosts
// read and assign the control's Font as an IFontDisp; a change made through
// that object reaches the control, and a change of the control's font (a
// dialog, a stream, the ambient font) reaches the object.

#include "core/framework/Control.h"
#include "server/automation/Bstr.h"
#include "server/automation/ComPtr.h"
#include "server/automation/Variant.h"
#include "win32/ControlEntry.h"

#include <ocidl.h>
#include <olectl.h>

namespace corvane::server {

// Conversions between the framework's font and an OLE font. Sizes are whole
// points on the OLE side; the framework holds character heights in pixels.
TFont FontFromOle(IFont& font, const TFont& base);
void CopyFontToOle(const TFont& font, IFont& target);

class TFontAdapter {
public:
    TFontAdapter();
    ~TFontAdapter();
    TFontAdapter(const TFontAdapter&) = delete;
    TFontAdapter& operator=(const TFontAdapter&) = delete;

    // A notification of the OLE font is an entry into the control (`entries`).
    void Attach(TCustomControl& control, win32::TEntryOwner* entries);
    // Unadvises and lets the OLE font go (the control is going away).
    void Detach();

    // The OLE font, made from the control's font on first use; the same
    // object on every later call. The caller gets a reference of its own.
    IFontDisp* Get();
    // Takes the host's font as the control's and keeps following it.
    void Put(IFontDisp* font);
    // The control's font changed: copy it into the OLE font.
    void ControlFontChanged();

private:
    // What the OLE font is advised of. The font may hold it, and call it,
    // after the adapter and its control are gone (a notification under way
    // when another of the font's sinks let go of the control): it counts its
    // own references and passes nothing on once the adapter let go.
    class TSink;

    void Follow(IFont* font);
    void Unfollow();
    // The OLE font changed (an entry into the control).
    void FontChanged();

    TCustomControl* control_ = nullptr;
    win32::TEntryOwner* entries_ = nullptr;
    TComPtr<IFont> font_;
    TComPtr<IConnectionPoint> point_;
    TComPtr<TSink> sink_;
    DWORD cookie_ = 0;
    bool syncing_ = false;
};

} // namespace corvane::server
