#include "SampleTree.h"

#include "core/framework/Exceptions.h"
#include "server/automation/Bstr.h"
#include "server/automation/ComPtr.h"
#include "server/automation/Variant.h"

#include <string>

namespace corvane::demo {
namespace {

using server::TComPtr;

constexpr long DefaultHeight = 18;

void Require(HRESULT hr, const char* what) {
    if (FAILED(hr))
        throw Exception(std::string("Building the sample header: ") + what + " failed");
}

TComPtr<ISections> AddSection(ISections& parent, const char* caption, TxAlignment alignment,
                              long width = 0, bool wordwrap = false) {
    TComPtr<ISections> section;
    const server::TBstr text = server::TextToBstr(caption);
    Require(parent.Add(text.Get(), section.Put()), "Add");
    Require(section->put_Alignment(alignment), "Alignment");
    if (width > 0)
        Require(section->put_Width(width), "Width");
    Require(section->put_WordWrap(wordwrap ? VARIANT_TRUE : VARIANT_FALSE), "WordWrap");
    return section;
}

// A section with sections under it: its own band is one line high.
TComPtr<ISections> AddBand(ISections& parent, const char* caption) {
    TComPtr<ISections> band = AddSection(parent, caption, ::taCenter);
    Require(band->put_Height(DefaultHeight), "Height");
    return band;
}

} // namespace

void BuildSampleTree(ICorvane& control, const char* deliveryCaption) {
    TComPtr<ISections> root;
    Require(control.get_Sections(root.Put()), "Sections");
    Require(root->BeginUpdate(), "BeginUpdate");
    Require(root->Clear(), "Clear");

    const auto customer = AddBand(*root.Get(), "Customer");
    const auto name = AddBand(*customer.Get(), "Name");
    AddSection(*name.Get(), "First name", ::taLeftJustify, 85);
    AddSection(*name.Get(), "Last name", ::taLeftJustify, 85);
    const auto contact = AddBand(*customer.Get(), "Contact");
    AddSection(*contact.Get(), "Phone", ::taRightJustify, 70);
    AddSection(*contact.Get(), "E-mail address of the customer", ::taLeftJustify, 95);

    const auto order = AddBand(*root.Get(), "Order details");
    AddSection(*order.Get(), "Quantity", ::taRightJustify, 65);
    const auto delivery = AddBand(*order.Get(), deliveryCaption);
    AddSection(*delivery.Get(), "Planned delivery date", ::taCenter, 90, true);
    AddSection(*delivery.Get(), "Notes on shipping and handling", ::taLeftJustify, 110, true);

    Require(root->EndUpdate(), "EndUpdate");
    Require(root->Changed(VARIANT_TRUE), "Changed");
}

} // namespace corvane::demo
