#include "EventSink.h"

#include "EventLog.h"
#include "server/automation/Bstr.h"
#include "server/automation/ComPtr.h"
#include "server/automation/Variant.h"

#include <CorvaneC_TLB.h>

namespace corvane::demo {
namespace {

using server::TBstr;
using server::TComPtr;

// An event the sink cannot read: the result Invoke answers.
struct DispatchError {
    HRESULT Code;
};

// The arguments in declaration order (DISPPARAMS holds them last first),
// each checked for the type the event declares.
class EventArgs {
public:
    explicit EventArgs(const DISPPARAMS& params) : params_(params) {}

    UINT Count() const { return params_.cArgs; }

    VARIANT& At(UINT position, VARTYPE type) const {
        if (position >= params_.cArgs || params_.rgvarg == nullptr)
            throw DispatchError{DISP_E_BADPARAMCOUNT};
        VARIANT& arg = params_.rgvarg[params_.cArgs - 1 - position];
        if (arg.vt != type)
            throw DispatchError{DISP_E_TYPEMISMATCH};
        return arg;
    }

    SectionName Section(UINT position) const {
        TBstr caption;
        const auto section = SectionObject(position);
        if (!section || FAILED(section->get_Caption(caption.Put())))
            return std::nullopt; // a section object over no section
        return server::BstrToText(caption.Get());
    }

    int SectionWidth(UINT position) const {
        long width = 0;
        const auto section = SectionObject(position);
        if (!section || FAILED(section->get_Width(&width)))
            return 0;
        return static_cast<int>(width);
    }

    int Long(UINT position) const { return static_cast<int>(At(position, VT_I4).lVal); }

private:
    TComPtr<ISections> SectionObject(UINT position) const {
        IDispatch* object = At(position, VT_DISPATCH).pdispVal;
        return object != nullptr ? TComPtr<ISections>::From(object, IID_ISections)
                                 : TComPtr<ISections>();
    }

    const DISPPARAMS& params_;
};

void Hint(const EventArgs& args) {
    BSTR& slot = *args.At(1, VT_BSTR | VT_BYREF).pbstrVal;
    const std::string answer =
        LogHint(args.Section(0), args.SectionWidth(0), server::BstrToText(slot));
    server::TBstr text = server::TextToBstr(answer);
    ::SysFreeString(slot);
    slot = text.Detach();
}

void DropSection(const EventArgs& args) {
    VARIANT_BOOL& asChildArg = *args.At(2, VT_BOOL | VT_BYREF).pboolVal;
    VARIANT_BOOL& allowDropArg = *args.At(3, VT_BOOL | VT_BYREF).pboolVal;
    bool asChild = asChildArg != VARIANT_FALSE;
    bool allowDrop = allowDropArg != VARIANT_FALSE;
    LogDropSection(args.Section(0), args.Section(1), asChild, allowDrop);
    asChildArg = asChild ? VARIANT_TRUE : VARIANT_FALSE;
    allowDropArg = allowDrop ? VARIANT_TRUE : VARIANT_FALSE;
}

void Dispatch(DISPID dispid, const EventArgs& args) {
    switch (dispid) {
    case DISPID_ICorvaneEvents_OnSizing:
    case DISPID_ICorvaneEvents_OnSized: // Section, Width, SectionIndex
        LogSizing(dispid == DISPID_ICorvaneEvents_OnSized, args.Section(0), args.Long(2),
                  args.Long(1));
        break;
    case DISPID_ICorvaneEvents_OnHeightChanging:
    case DISPID_ICorvaneEvents_OnHeightChanged:
        LogHeightChange(dispid == DISPID_ICorvaneEvents_OnHeightChanged, args.Section(0),
                        args.Long(1));
        break;
    case DISPID_ICorvaneEvents_OnHeaderClick:
        LogHeaderClick(args.Section(0));
        break;
    case DISPID_ICorvaneEvents_OnHint:
        Hint(args);
        break;
    case DISPID_ICorvaneEvents_OnDropSection:
        DropSection(args);
        break;
    case DISPID_ICorvaneEvents_OnBeforeCustomize:
        LogNotice("OnBeforeCustomize");
        break;
    case DISPID_ICorvaneEvents_OnAfterCustomize:
        LogNotice("OnAfterCustomize");
        break;
    case DISPID_ICorvaneEvents_OnBeforeApply:
        LogNotice("OnBeforeApply");
        break;
    case DISPID_ICorvaneEvents_OnAfterApply:
        LogNotice("OnAfterApply");
        break;
    default:
        throw DispatchError{DISP_E_MEMBERNOTFOUND};
    }
}

} // namespace

EventSink::EventSink() : host::EventSink(DIID_ICorvaneEvents) {}

HRESULT EventSink::Event(DISPID dispid, DISPPARAMS& params) {
    try {
        Dispatch(dispid, EventArgs(params));
        return S_OK;
    } catch (const DispatchError& error) {
        return error.Code;
    }
}

} // namespace corvane::demo
