#include "SampleTree.h"

#include "core/framework/Exceptions.h"
#include "server/activex/ComRef.h"

#include <string>

namespace corvane::demo {
namespace {

using server::TComRef;

constexpr long DefaultHeight = 18;

void Require(HRESULT hr, const char* what) {
    if (FAILED(hr))
        throw Exception(std::string("Building the sample header: ") + what + " failed");
}

TComRef<ISections> AddSection(ISections& parent, const char* caption, TxAlignment alignment,
                              long width = 0, bool wordwrap = false) {
    TComRef<ISections> section;
    const server::TBstr text = server::AnsiToBstr(caption);
    Require(parent.Add(text.Get(), section.put()), "Add");
    Require(section->put_Alignment(alignment), "Alignment");
    if (width > 0)
        Require(section->put_Width(width), "Width");
    Require(section->put_WordWrap(wordwrap ? VARIANT_TRUE : VARIANT_FALSE), "WordWrap");
    return section;
}

// A section with sections under it: its own band is one line high.
TComRef<ISections> AddBand(ISections& parent, const char* caption) {
    TComRef<ISections> band = AddSection(parent, caption, ::taCenter);
    Require(band->put_Height(DefaultHeight), "Height");
    return band;
}

} // namespace

void BuildSampleTree(ICorvane& control) {
    TComRef<ISections> root;
    Require(control.get_Sections(root.put()), "Sections");
    Require(root->BeginUpdate(), "BeginUpdate");
    Require(root->Clear(), "Clear");

    const auto customer = AddBand(*root.get(), "Customer");
    const auto name = AddBand(*customer.get(), "Name");
    AddSection(*name.get(), "First name", ::taLeftJustify, 85);
    AddSection(*name.get(), "Last name", ::taLeftJustify, 85);
    const auto contact = AddBand(*customer.get(), "Contact");
    AddSection(*contact.get(), "Phone", ::taRightJustify, 70);
    AddSection(*contact.get(), "E-mail address of the customer", ::taLeftJustify, 95);

    const auto order = AddBand(*root.get(), "Order details");
    AddSection(*order.get(), "Quantity", ::taRightJustify, 65);
    const auto delivery = AddBand(*order.get(), "Delivery");
    AddSection(*delivery.get(), "Planned delivery date", ::taCenter, 90, true);
    AddSection(*delivery.get(), "Notes on shipping and handling", ::taLeftJustify, 110, true);

    Require(root->EndUpdate(), "EndUpdate");
    Require(root->Changed(VARIANT_TRUE), "Changed");
}

} // namespace corvane::demo
