#include "SampleTree.h"

#include "core/framework/Exceptions.h"
#include "server/automation/Bstr.h"
#include "server/automation/ComPtr.h"
#include "server/automation/Variant.h"

#include <string>

namespace corvane::demo {
namespace {

using server::TComPtr;

constexpr int DefaultHeight = 18;

void Require(HRESULT hr, const char* what) {
    if (FAILED(hr))
        throw Exception(std::string("Building the sample header: ") + what + " failed");
}

TComPtr<ISections> AddSection(const TDpiScale& scale, ISections& parent, const char* caption,
                              TxAlignment alignment, int width = 0, bool wordwrap = false) {
    TComPtr<ISections> section;
    const server::TBstr text = server::TextToBstr(caption);
    Require(parent.Add(text.Get(), section.Put()), "Add");
    Require(section->put_Alignment(alignment), "Alignment");
    if (width > 0)
        Require(section->put_Width(scale(width)), "Width");
    Require(section->put_WordWrap(wordwrap ? VARIANT_TRUE : VARIANT_FALSE), "WordWrap");
    return section;
}

// A section with sections under it: its own band is one line high.
TComPtr<ISections> AddBand(const TDpiScale& scale, ISections& parent, const char* caption) {
    TComPtr<ISections> band = AddSection(scale, parent, caption, ::taCenter);
    Require(band->put_Height(scale(DefaultHeight)), "Height");
    return band;
}

} // namespace

void BuildSampleTree(ICorvane& control, const TDpiScale& scale, const char* deliveryCaption) {
    TComPtr<ISections> root;
    Require(control.get_Sections(root.Put()), "Sections");
    Require(root->BeginUpdate(), "BeginUpdate");
    Require(root->Clear(), "Clear");

    const auto customer = AddBand(scale, *root.Get(), "Customer");
    const auto name = AddBand(scale, *customer.Get(), "Name");
    AddSection(scale, *name.Get(), "First name", ::taLeftJustify, 85);
    AddSection(scale, *name.Get(), "Last name", ::taLeftJustify, 85);
    const auto contact = AddBand(scale, *customer.Get(), "Contact");
    AddSection(scale, *contact.Get(), "Phone", ::taRightJustify, 70);
    AddSection(scale, *contact.Get(), "E-mail address of the customer", ::taLeftJustify, 95);

    const auto order = AddBand(scale, *root.Get(), "Order details");
    AddSection(scale, *order.Get(), "Quantity", ::taRightJustify, 65);
    const auto delivery = AddBand(scale, *order.Get(), deliveryCaption);
    AddSection(scale, *delivery.Get(), "Planned delivery date", ::taCenter, 90, true);
    AddSection(scale, *delivery.Get(), "Notes on shipping and handling", ::taLeftJustify, 110,
               true);

    Require(root->EndUpdate(), "EndUpdate");
    Require(root->Changed(VARIANT_TRUE), "Changed");
}

} // namespace corvane::demo
