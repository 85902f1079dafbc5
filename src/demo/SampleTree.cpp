#include "SampleTree.h"

#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"

namespace corvane::demo {
namespace {

THeaderColumns* AddSection(THeaderColumns* parent, const char* caption, TAlignment alignment,
                           int width = THeaderColumns::DefaultWidth, bool wordwrap = false) {
    THeaderColumns* section = parent->Add(caption);
    section->SetAlignment(alignment);
    section->SetWidth(width);
    section->SetWordwrap(wordwrap);
    return section;
}

} // namespace

void BuildSampleTree(TStrativ& header) {
    THeaderColumns* root = header.Sections();
    root->BeginUpdate();
    root->Clear();

    THeaderColumns* customer = AddSection(root, "Customer", taCenter);
    customer->SetHeight(18);
    THeaderColumns* name = AddSection(customer, "Name", taCenter);
    name->SetHeight(18);
    AddSection(name, "First name", taLeftJustify, 85);
    AddSection(name, "Last name", taLeftJustify, 85);
    THeaderColumns* contact = AddSection(customer, "Contact", taCenter);
    contact->SetHeight(18);
    AddSection(contact, "Phone", taRightJustify, 70);
    AddSection(contact, "E-mail address of the customer", taLeftJustify, 95);

    THeaderColumns* order = AddSection(root, "Order details", taCenter);
    order->SetHeight(18);
    AddSection(order, "Quantity", taRightJustify, 65);
    THeaderColumns* delivery = AddSection(order, "Delivery", taCenter);
    delivery->SetHeight(18);
    AddSection(delivery, "Planned delivery date", taCenter, 90, true);
    AddSection(delivery, "Notes on shipping and handling", taLeftJustify, 110, true);

    root->EndUpdate();
    root->Changed(true);
}

} // namespace corvane::demo
