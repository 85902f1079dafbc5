#include "core/stream/StrativProperties.h"

#include "core/control/Strativ.h"
#include "core/framework/streaming/PropertyBuilders.h"
#include "core/model/HeaderColumns.h"
#include "core/stream/HeaderColumnsProperties.h"

namespace corvane {

using namespace property_builders;

namespace {

constexpr TIdentMapEntry HeaderOption[] = {
    {0x01, "hoCustomize"}, {0x02, "hoAbout"},    {0x04, "hoVResize"}, {0x08, "hoHresize"},
    {0x10, "hoClick"},     {0x20, "hoHotTrack"}, {0x40, "hoHint"},    {0x80, "hoDragdrop"}};

using C = TCustomControl;

// The font is a plain value of the control: each entry changes one field of it.
template <class Field> auto SetFontField(Field TFont::*field) {
    return [field](C& control, Field value) {
        TFont font = control.Font();
        font.*field = value;
        control.SetFont(font);
    };
}

TPublishedProperty AlwaysStored(TPublishedProperty property) {
    property.Stored = nullptr;
    return property;
}

TPublishedProperty StoredWhen(TPublishedProperty property, bool (*rule)(const C&)) {
    property.Stored = [rule](const TPersistent& o) { return rule(As<C>(o)); };
    return property;
}

TPublishedProperty FontStyle() {
    TPublishedProperty style = SetOf<C, uint8_t>(
        "Style", [](const C& c) { return c.Font().Style; }, SetFontField(&TFont::Style),
        FontStyleIdents);
    style.Stored = [](const TPersistent& o) { return As<C>(o).Font().Style != 0; };
    return style;
}

// ShowHint is stored while it does not come from the parent, and whenever it
// is on. Reading it keeps ParentShowHint as read before it (setting ShowHint
// alone would clear it).
TPublishedProperty ShowHint() {
    TPublishedProperty p = Boolean<C>("ShowHint", &C::ShowHint, [](C& c, bool value) {
        const bool parentShowHint = c.ParentShowHint();
        c.SetShowHint(value);
        c.SetParentShowHint(parentShowHint);
    });
    p.Stored = [](const TPersistent& o) {
        return !As<C>(o).ParentShowHint() || As<C>(o).ShowHint();
    };
    return p;
}

// A reference to another component, stored as the identifier of its name
// while there is one.
template <class T, class Get, class Set>
TPublishedProperty ComponentReference(const char* Name, Get get, Set set) {
    TPublishedProperty p;
    p.Name = Name;
    p.Stored = [get](const TPersistent& o) { return !std::invoke(get, As<T>(o)).empty(); };
    p.Write = [get](TWriter& w, const TPersistent& o) { w.WriteIdent(std::invoke(get, As<T>(o))); };
    p.Read = [set](TReader& r, TPersistent& o) { std::invoke(set, As<T>(o), r.ReadIdent()); };
    return p;
}

} // namespace

const TIdentMap HeaderOptionIdents(HeaderOption);

const TPublishedClass& FontClass() {
    static const TPublishedClass Class{{
        IntegerIdent<C, uint8_t>(
            "Charset", [](const C& c) { return c.Font().Charset; }, SetFontField(&TFont::Charset),
            CharsetIdents),
        IntegerIdent<C, TColor>(
            "Color", [](const C& c) { return c.Font().Color; }, SetFontField(&TFont::Color),
            ColorIdents),
        Integer<C>(
            "Height", [](const C& c) { return c.Font().Height; }, SetFontField(&TFont::Height)),
        AlwaysStored(String<C>(
            "Name", [](const C& c) -> const std::string& { return c.Font().Name; },
            SetFontField(&TFont::Name))),
        FontStyle(),
    }};
    return Class;
}

const TPublishedClass& StrativClass() {
    using T = TStrativ;
    static const TPublishedClass Class{{
        // The framework control's properties.
        Integer<C>("Left", &C::Left, &C::SetLeft),
        Integer<C>("Top", &C::Top, &C::SetTop),
        Integer<C>("Width", &C::Width, &C::SetWidth),
        Integer<C>("Height", &C::Height, &C::SetHeight),
        IntegerIdent<C, int16_t>("Cursor", &C::Cursor, &C::SetCursor, CursorIdents, 0),
        String<C>("Hint", &C::Hint, &C::SetHint),
        Enumeration<C, TBiDiMode>("BiDiMode", &C::BiDiMode, &C::SetBiDiMode, BiDiModeIdents,
                                  bdLeftToRight),
        Boolean<C>("DoubleBuffered", &C::DoubleBuffered, &C::SetDoubleBuffered, false),
        // The header control's, in the order it publishes them.
        IntegerIdent<T, TColor>("HotTrackColor", &T::HotTrackColor, &T::SetHotTrackColor,
                                ColorIdents),
        // Stored also when empty: a new control starts with "Customize...".
        AlwaysStored(
            String<T>("CustomizeMenustring", &T::CustomizeMenustring, &T::SetCustomizeMenustring)),
        Enumeration<T, TBevelCut>("BevelInner", &T::BevelInner, &T::SetBevelInner, BevelCutIdents,
                                  bvNone),
        // Always stored: its declared default (bvRaised) is not what a new
        // control starts with, so leaving it out could not be read back.
        Enumeration<T, TBevelCut>("BevelOuter", &T::BevelOuter, &T::SetBevelOuter, BevelCutIdents),
        Integer<T>("BevelWidth", &T::BevelWidth, &T::SetBevelWidth, 1),
        Integer<T>("BorderWidth", &T::BorderWidth, &T::SetBorderWidth, 0),
        // Stored once set, whatever its value: a colour left out would come
        // back as the parent's.
        StoredWhen(IntegerIdent<C, TColor>("Color", &C::Color, &C::SetColor, ColorIdents),
                   [](const C& c) { return !c.ParentColor(); }),
        // Always stored, as BevelOuter (declared default bsNew).
        Enumeration<T, TButtonStyle>("Headerstyle", &T::Headerstyle, &T::SetHeaderstyle,
                                     ButtonStyleIdents),
        Enumeration<C, TAlign>("Align", &C::Align, &C::SetAlign, AlignIdents, alNone),
        Enumeration<T, TBorderStyle>("BorderStyle", &T::BorderStyle, &T::SetBorderStyle,
                                     BorderStyleIdents, bsSingle),
        Boolean<C>("Enabled", &C::Enabled, &C::SetEnabled, true),
        StoredWhen(Object<C>(
                       "Font", [](C& c) { return &c; }, FontClass()),
                   [](const C& c) { return !c.ParentFont(); }),
        Boolean<C>("ParentFont", &C::ParentFont, &C::SetParentFont, true),
        Boolean<C>("ParentShowHint", &C::ParentShowHint, &C::SetParentShowHint, true),
        ComponentReference<C>("PopupMenu", &C::PopupMenu, &C::SetPopupMenu),
        Object<T>("Sections", &T::Sections, HeaderColumnsClass()),
        ShowHint(),
        Integer<C>("TabOrder", &C::TabOrder, &C::SetTabOrder, -1),
        Boolean<C>("TabStop", &C::TabStop, &C::SetTabStop, false),
        Boolean<C>("Visible", &C::Visible, &C::SetVisible, true),
        SetOf<T, THeaderOptions>("Options", &T::Options, &T::SetOptions, HeaderOptionIdents),
    }};
    return Class;
}

} // namespace corvane
