// The customizing dialog driven through its real controls, from the
// header's context menu to the write-back: pages, tree view, edits, check
// boxes, buttons; the events and their order; the error box.

#include "CustomizeDialogWatch.h"
#include "HeaderFixture.h"
#include "ModalWatch.h"
#include "win32/ErrorBox.h"
#include "win32/WideText.h"
#include "win32/editor/HeadersFormWindow.h"

namespace corvane::win32::testing {
namespace {

using Form = editor::HeadersFormWindow;

class CustomizeDialogWin32 : public HeaderFixture {
protected:
    void SetUp() override {
        HeaderFixture::SetUp();
        control->OnBeforeApply = [this](TStrativ*) { events.push_back("BeforeApply"); };
        control->OnAfterApply = [this](TStrativ*) { events.push_back("AfterApply"); };
        Section("C")->SetTypeCol(42);
    }
    // Opens the dialog from the context menu as a user would; the steps run
    // inside its modal loop.
    size_t Customize(std::vector<CustomizeDialogWatch::Step> steps) {
        CustomizeDialogWatch watch(std::move(steps));
        PopupMenuWatch menu(1); // "Customize..."
        RightDown(50, 40);
        PumpMessages();
        return watch.StepsRun();
    }
    static void Press(HWND form, int id) { Click(DialogControl(form, id)); }
    static void Type(HWND form, int id, const char* text) {
        ::SendMessageA(DialogControl(form, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    static void Key(HWND window, WPARAM key) { ::SendMessageA(window, WM_KEYDOWN, key, 0); }
};

TEST_F(CustomizeDialogWin32, OpensOnTheGeneralPageLoadedFromTheHeaderAndCancelWritesNothing) {
    control->SetName("Header1");
    control->SetOptions(AllHeaderOptions & ~hoAbout);
    std::string caption, outline, borderWidth;
    bool aboutChecked = true, generalShown = false, sectionsShown = true;
    HWND owner = nullptr;
    bool hostDisabled = false;
    std::vector<std::string> tabs;
    const size_t steps = Customize({[&](HWND form) {
        caption = Text(form);
        const HWND pageControl = DialogControl(form, Form::PageControlId);
        for (int i = 0; i < 2; ++i) {
            char text[64] = {};
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            ::SendMessageA(pageControl, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
            tabs.push_back(text);
        }
        owner = ::GetWindow(form, GW_OWNER);
        hostDisabled = !::IsWindowEnabled(host);
        Form* dialog = Form::FromHandle(form);
        generalShown = ::IsWindowVisible(dialog->PageWindow(0)) != FALSE;
        sectionsShown = ::IsWindowVisible(dialog->PageWindow(1)) != FALSE;
        outline = TreeOutline(dialog->TreeView());
        aboutChecked = ::SendMessageA(ButtonWithCaption(form, "Show A&bout"), BM_GETCHECK, 0, 0) ==
                       BST_CHECKED;
        borderWidth = Text(DialogControl(form, Form::BorderWidthId));
        Press(form, Form::CancelButtonId);
    }});
    EXPECT_EQ(steps, 1u);
    EXPECT_EQ(caption, "Customizing... Header1");
    EXPECT_EQ(tabs, (std::vector<std::string>{"General", "Sections Property"}));
    EXPECT_EQ(owner, host);
    EXPECT_TRUE(hostDisabled);
    EXPECT_TRUE(::IsWindowEnabled(host));
    EXPECT_TRUE(generalShown);
    EXPECT_FALSE(sectionsShown);
    EXPECT_EQ(outline, "Group\n  A\n  B\nC\n");
    EXPECT_FALSE(aboutChecked);
    EXPECT_EQ(borderWidth, "0");
    EXPECT_EQ(events, (std::vector<std::string>{"BeforeCustomize", "AfterCustomize"}));
    EXPECT_EQ(Section("C")->TypeCol(), 42);
}

TEST_F(CustomizeDialogWin32, EditsInTheTreeAndThePropertiesApplyThenOk) {
    const auto tree = [](HWND form) { return Form::FromHandle(form)->TreeView(); };
    std::vector<std::string> afterApply;
    std::string outline, widthShown;
    Customize({
        [&](HWND form) {
            ChoosePage(form, 1);
            ::SendMessageA(tree(form), TVM_SELECTITEM, TVGN_CARET,
                           reinterpret_cast<LPARAM>(FindItem(tree(form), "C")));
            widthShown = Text(DialogControl(form, Form::WidthEditId));
            Type(form, Form::WidthEditId, "150");
            // F2, type the caption in place, accept it.
            Key(tree(form), VK_F2);
            const auto edit =
                reinterpret_cast<HWND>(::SendMessageA(tree(form), TVM_GETEDITCONTROL, 0, 0));
            ASSERT_NE(edit, nullptr);
            ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Total"));
            ::SendMessageA(tree(form), TVM_ENDEDITLABELNOW, FALSE, 0);
            // F3 adds a sibling after "Total", selected at once.
            Key(tree(form), VK_F3);
            outline = TreeOutline(tree(form));
            Press(form, Form::ApplyButtonId);
            afterApply = events;
        },
        [&](HWND form) {
            ChoosePage(form, 0);
            Click(ButtonWithCaption(form, "Section Click"));
            Press(form, Form::OkButtonId);
        },
    });
    EXPECT_EQ(widthShown, "100");
    EXPECT_EQ(outline, "Group\n  A\n  B\nTotal\n\n");
    EXPECT_EQ(afterApply,
              (std::vector<std::string>{"BeforeCustomize", "BeforeApply", "AfterApply"}));
    EXPECT_EQ(events, (std::vector<std::string>{"BeforeCustomize", "BeforeApply", "AfterApply",
                                                "AfterCustomize"}));
    ASSERT_NE(Section("Total"), nullptr);
    EXPECT_EQ(Section("Total")->Width(), 150);
    EXPECT_EQ(Section("Total")->TypeCol(), 42); // the tag survived
    EXPECT_EQ(control->Sections()->Count(), 3);
    EXPECT_EQ(control->Sections()->Items(2)->Width(), 75);
    EXPECT_EQ(control->Options(), AllHeaderOptions & ~hoClick);
    EXPECT_EQ(control->ColumnCount(), 4); // the index was rebuilt
}

TEST_F(CustomizeDialogWin32, CaptionsAndHintInAnyScriptAreShownEditedAndApplied) {
    const wchar_t* texts[] = {L"\u540D\u524D",   L"\u0418\u043C\u044F", L"\u03A9",
                              L"a\xD83D\xDE00z", L"e\u0301t",           L"\u0627\u0633\u0645 1",
                              L"caf\u00E9"};
    const auto tree = [](HWND form) { return Form::FromHandle(form)->TreeView(); };
    const auto itemText = [](HWND view, HTREEITEM item) {
        wchar_t text[64] = {};
        TVITEMW tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = text;
        tv.cchTextMax = 64;
        ::SendMessageW(view, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
        return std::wstring(text);
    };
    for (const wchar_t* text : texts) {
        const std::string utf8 = Utf8FromWide(text, wcslen(text));
        SCOPED_TRACE(utf8);
        control->Sections()->Items(0)->Items(0)->SetCaption(utf8); // shown as it is
        std::wstring shown, edited;
        Customize({[&](HWND form) {
            ChoosePage(form, 1);
            const HTREEITEM a = TreeView_GetChild(tree(form), TreeView_GetRoot(tree(form)));
            shown = itemText(tree(form), a);
            // The next section's caption typed in place; the hint typed too.
            const HTREEITEM b = TreeView_GetNextSibling(tree(form), a);
            ::SendMessageW(tree(form), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(b));
            Key(tree(form), VK_F2);
            const auto edit =
                reinterpret_cast<HWND>(::SendMessageW(tree(form), TVM_GETEDITCONTROL, 0, 0));
            ASSERT_NE(edit, nullptr);
            ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
            ::SendMessageW(tree(form), TVM_ENDEDITLABELNOW, FALSE, 0);
            edited = itemText(tree(form), b);
            ::SendMessageW(DialogControl(form, Form::HintEditId), WM_SETTEXT, 0,
                           reinterpret_cast<LPARAM>(text));
            Press(form, Form::ApplyButtonId);
            Press(form, Form::OkButtonId);
        }});
        EXPECT_EQ(shown, text);
        EXPECT_EQ(edited, text);
        const THeaderColumns* group = control->Sections()->Items(0);
        EXPECT_EQ(group->Items(1)->Caption(), utf8);
        EXPECT_EQ(control->Hint(), utf8);
        group->Items(1)->SetCaption("B");
    }
}

TEST_F(CustomizeDialogWin32, CancelAfterApplyKeepsTheAppliedValues) {
    Customize({[&](HWND form) {
        Type(form, Form::BevelWidthId, "3");
        Press(form, Form::ApplyButtonId);
        Type(form, Form::BevelWidthId, "5");
        Press(form, Form::CancelButtonId);
    }});
    EXPECT_EQ(control->BevelWidth(), 3);
    EXPECT_EQ(events, (std::vector<std::string>{"BeforeCustomize", "BeforeApply", "AfterApply",
                                                "AfterCustomize"}));
}

TEST_F(CustomizeDialogWin32, BadBorderWidthShowsTheErrorBoxAndOkStillCloses) {
    MessageBoxWatch boxes;
    bool stillOpenAfterApply = false;
    Customize({[&](HWND form) {
                   Type(form, Form::HintEditId, "hint text");
                   Type(form, Form::BorderWidthId, "");
                   Press(form, Form::ApplyButtonId);
                   stillOpenAfterApply = ::IsWindowVisible(form) != FALSE;
               },
               [&](HWND form) { Press(form, Form::OkButtonId); }});
    ASSERT_EQ(boxes.Seen().size(), 2u); // Apply, then OK
    for (const SeenMessageBox& box : boxes.Seen()) {
        EXPECT_EQ(box.text, "'' is not a valid integer value");
        EXPECT_EQ(box.icon, ErrorIcon());
        EXPECT_EQ(box.caption, ApplicationTitle());
    }
    EXPECT_TRUE(stillOpenAfterApply);
    EXPECT_EQ(events,
              (std::vector<std::string>{"BeforeCustomize", "BeforeApply", "AfterCustomize"}));
    EXPECT_EQ(control->Hint(), ""); // after the failing field: never written
}

TEST_F(CustomizeDialogWin32, EnterAndEscapeDoNotCloseTheDialog) {
    bool openAfterKeys = false;
    Customize({[&](HWND form) {
                   const HWND edit = DialogControl(form, Form::HintEditId);
                   ::SetFocus(edit);
                   for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
                       ::PostMessageA(edit, WM_KEYDOWN, key, 0);
                       ::PostMessageA(edit, WM_KEYUP, key, 0);
                   }
               },
               [&](HWND form) {
                   openAfterKeys = ::IsWindowVisible(form) != FALSE;
                   Press(form, Form::CancelButtonId);
               }});
    EXPECT_TRUE(openAfterKeys);
}

TEST_F(CustomizeDialogWin32, NumberFieldsTakeDigitsAndBackspaceOnly) {
    std::string width, border;
    Customize({[&](HWND form) {
        const HWND borderEdit = DialogControl(form, Form::BorderWidthId);
        ::SendMessageA(borderEdit, EM_SETSEL, 0, -1);
        for (char c : {'7', '-', 'x', '\b', '4', '2'})
            ::SendMessageA(borderEdit, WM_CHAR, static_cast<unsigned char>(c), 0);
        border = Text(borderEdit);
        ChoosePage(form, 1);
        const HWND tree = Form::FromHandle(form)->TreeView();
        ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                       reinterpret_cast<LPARAM>(FindItem(tree, "A")));
        const HWND widthEdit = DialogControl(form, Form::WidthEditId);
        ::SendMessageA(widthEdit, EM_SETSEL, 0, -1);
        for (char c : {'1', '\b', '9', 'a', '5'})
            ::SendMessageA(widthEdit, WM_CHAR, static_cast<unsigned char>(c), 0);
        width = Text(widthEdit);
        Press(form, Form::OkButtonId);
    }});
    EXPECT_EQ(border, "42");
    // Backspace empties the width edit, which turns into "0" at once, chosen
    // whole: the 9 replaces it and the 5 follows.
    EXPECT_EQ(width, "95");
    EXPECT_EQ(Section("A")->Width(), 95);
}

TEST_F(CustomizeDialogWin32, ClearedWidthRetypedGivesWhatWasTyped) {
    std::vector<std::string> texts;
    Customize({[&](HWND form) {
        ChoosePage(form, 1);
        const HWND tree = Form::FromHandle(form)->TreeView();
        ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                       reinterpret_cast<LPARAM>(FindItem(tree, "C")));
        const HWND edit = DialogControl(form, Form::HeightEditId);
        ::SetFocus(edit);
        ::SendMessageA(edit, EM_SETSEL, 2, 2); // the caret after "17"
        for (char c : {'\b', '\b', '1', '2', '0'}) {
            ::SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
            texts.push_back(Text(edit));
        }
        Press(form, Form::OkButtonId);
    }});
    EXPECT_EQ(texts, (std::vector<std::string>{"1", "0", "1", "12", "120"}));
    EXPECT_EQ(Section("C")->Height(), 120);
}

TEST_F(CustomizeDialogWin32, FocusComesBackToItsControlAfterAModalBox) {
    MessageBoxWatch boxes; // confirms the colour and font dialogs, closes the error box
    std::vector<std::string> focusAfter;
    const auto focusName = [](HWND form) {
        const HWND focus = ::GetFocus();
        return focus == DialogControl(form, Form::HintEditId)      ? "hint"
               : focus == DialogControl(form, Form::BevelWidthId)  ? "bevelwidth"
               : focus == DialogControl(form, Form::BorderWidthId) ? "borderwidth"
               : focus == form                                     ? "form"
                                                                   : "other";
    };
    Customize({
        [&](HWND form) {
            ::SetFocus(DialogControl(form, Form::HintEditId));
            Click(ButtonWithCaption(form, "Click to Select a Color..."));
        },
        [&](HWND form) {
            focusAfter.push_back(focusName(form));
            ::SetFocus(DialogControl(form, Form::BevelWidthId));
            Click(ButtonWithCaption(form, "Click to Select a Font..."));
        },
        [&](HWND form) {
            focusAfter.push_back(focusName(form));
            // Apply with a border width that is no number, the focus staying put.
            Type(form, Form::BorderWidthId, "x");
            ::SetFocus(DialogControl(form, Form::BorderWidthId));
            const HWND apply = DialogControl(form, Form::ApplyButtonId);
            ::SendMessageA(form, WM_COMMAND, MAKEWPARAM(Form::ApplyButtonId, BN_CLICKED),
                           reinterpret_cast<LPARAM>(apply));
        },
        [&](HWND form) {
            focusAfter.push_back(focusName(form));
            Press(form, Form::CancelButtonId);
        },
    });
    EXPECT_EQ(boxes.Seen().size(), 3u);
    EXPECT_EQ(focusAfter, (std::vector<std::string>{"hint", "bevelwidth", "borderwidth"}));
}

TEST_F(CustomizeDialogWin32, AClickOnAnOptionSquareTogglesThatOption) {
    const char* captions[] = {"&Visible",       "&ShowHint",     "&Customizing",  "H&otTrack",
                              "&Height Resize", "&Width Resize", "H&intSections", "&Move Sections",
                              "Show A&bout",    "Section Click"};
    control->SetShowHint(true); // every box starts checked
    std::vector<std::string> hits;
    std::string toggled;
    Customize({[&](HWND form) {
        for (const char* caption : captions) {
            const HWND box = ButtonWithCaption(form, caption);
            RECT r;
            ::GetWindowRect(box, &r);
            const POINT square{r.left + 6, (r.top + r.bottom) / 2};
            const HWND hit = ::WindowFromPoint(square);
            hits.push_back(hit == box ? caption : std::string(caption) + " -> " + Text(hit));
        }
        // A click on Width Resize's square, where the pointer is.
        const HWND width = ButtonWithCaption(form, "&Width Resize");
        RECT r;
        ::GetWindowRect(width, &r);
        POINT square{r.left + 6, (r.top + r.bottom) / 2};
        const HWND hit = ::WindowFromPoint(square);
        ::ScreenToClient(hit, &square);
        ::SendMessageA(hit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(square.x, square.y));
        ::SendMessageA(hit, WM_LBUTTONUP, 0, MAKELPARAM(square.x, square.y));
        for (const char* caption : captions) {
            if (::SendMessageA(ButtonWithCaption(form, caption), BM_GETCHECK, 0, 0) != BST_CHECKED)
                toggled += caption;
        }
        Press(form, Form::CancelButtonId);
    }});
    EXPECT_EQ(hits, std::vector<std::string>(std::begin(captions), std::end(captions)));
    EXPECT_EQ(toggled, "&Width Resize"); // all options were on
}

} // namespace
} // namespace corvane::win32::testing

namespace corvane::win32::testing {
namespace {

// Where a control of the layout sits on its page, and the page's tab order.
struct Placement {
    const char* caption; // window text ("" for an edit: found by id)
    int id;
    RECT bounds; // left, top, right, bottom on the page
};

RECT OnPage(HWND control) {
    RECT r;
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::vector<std::string> TabStops(HWND page) {
    std::vector<std::string> out;
    for (HWND c = ::GetWindow(page, GW_CHILD); c != nullptr; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (::GetWindowLongA(c, GWL_STYLE) & WS_TABSTOP) {
            char name[32] = {};
            ::GetClassNameA(c, name, sizeof name);
            const std::string text = Text(c);
            out.push_back(text.empty() || std::string(name) == "Edit" ? name : text);
        }
    }
    return out;
}

using CustomizeDialogLayout = CustomizeDialogWin32;

TEST_F(CustomizeDialogLayout, ControlsSitAtTheirBoundsInTheirTabOrder) {
    const Placement placements[] = {
        {"", Form::HeadersId, {4, 84, 275, 237}},
        {"", Form::WidthEditId, {292, 82, 415, 103}},
        {"", Form::HeightEditId, {292, 126, 413, 147}},
        {"Add", 0, {8, 248, 83, 273}},
        {"Move Down...", 0, {336, 248, 411, 273}},
        {"&WordWrap", 0, {292, 224, 389, 241}},
        {"", Form::HintEditId, {226, 88, 437, 109}},
        {"", Form::BorderWidthId, {126, 228, 183, 249}},
        {"Section Click", 0, {328, 20, 431, 35}}, // inside Options at (6, 6)
        {"Click to Select a Hot Track Color...", 0, {196, 224, 441, 249}},
        {"Selected Color and Font", 0, {196, 252, 441, 281}},
    };
    std::vector<std::string> general, sections;
    Customize({[&](HWND form) {
        for (const Placement& p : placements) {
            const HWND c =
                p.id != 0 ? DialogControl(form, p.id) : ButtonWithCaption(form, p.caption);
            ASSERT_NE(c, nullptr) << p.caption << p.id;
            const RECT r = OnPage(c);
            EXPECT_EQ(
                std::vector<LONG>({r.left, r.top, r.right, r.bottom}),
                std::vector<LONG>({p.bounds.left, p.bounds.top, p.bounds.right, p.bounds.bottom}))
                << p.caption << p.id;
        }
        general = TabStops(Form::FromHandle(form)->PageWindow(0));
        sections = TabStops(Form::FromHandle(form)->PageWindow(1));
        // The speed buttons caption in the form's font.
        const auto formFont = ::SendMessageA(form, WM_GETFONT, 0, 0);
        EXPECT_NE(formFont, 0);
        for (const char* speed : {"Click to Select a Font...", "Click to Select a Color...",
                                  "Click to Select a Hot Track Color..."})
            EXPECT_EQ(::SendMessageA(ButtonWithCaption(form, speed), WM_GETFONT, 0, 0), formFont)
                << speed;
        Press(form, Form::CancelButtonId);
    }});
    // Both in the order the controls are on screen.
    EXPECT_EQ(sections, (std::vector<std::string>{"Edit", "SysTreeView32", "Edit", "Edit", "Left",
                                                  "&WordWrap", "Add", "Add Subitem", "Delete",
                                                  "Move Up...", "Move Down..."}));
    // A radio group's tab stop is its chosen item (the header's values).
    // clang-format off
    EXPECT_EQ(general, (std::vector<std::string>{"New", "None", "None", "Single", "Edit", "None",
        "Click to Select a Font...", "Click to Select a Color...",
        "Click to Select a Hot Track Color...", "&Visible", "&ShowHint", "&Customizing",
        "H&otTrack", "&Height Resize", "&Width Resize", "H&intSections", "&Move Sections",
        "Show A&bout", "Section Click", "Edit", "Edit"}));
    // clang-format on
}

TEST_F(CustomizeDialogWin32, EnterAcceptsAnInPlaceCaptionAndOtherwiseGoesToTheWidthEdit) {
    const auto tree = [](HWND form) { return Form::FromHandle(form)->TreeView(); };
    bool focusOnWidth = false;
    Customize({
        [&](HWND form) {
            ChoosePage(form, 1);
            ::SetFocus(tree(form));
            ::SendMessageA(tree(form), TVM_SELECTITEM, TVGN_CARET,
                           reinterpret_cast<LPARAM>(FindItem(tree(form), "B")));
            Key(tree(form), VK_F2);
            const auto edit =
                reinterpret_cast<HWND>(::SendMessageA(tree(form), TVM_GETEDITCONTROL, 0, 0));
            ASSERT_NE(edit, nullptr);
            ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Second"));
            // Through the dialog's own loop, as typed.
            ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        },
        [&](HWND form) { ::PostMessageA(tree(form), WM_KEYDOWN, VK_RETURN, 0); },
        [&](HWND form) {
            focusOnWidth = ::GetFocus() == DialogControl(form, Form::WidthEditId);
            Press(form, Form::OkButtonId);
        },
    });
    EXPECT_TRUE(focusOnWidth);
    EXPECT_NE(Section("Second"), nullptr);
    EXPECT_EQ(Section("B"), nullptr);
}

TEST_F(CustomizeDialogWin32, HotTrackColourComesFromTheColourDialog) {
    control->SetColor(0x00336699);
    MessageBoxWatch dialogs; // confirms the colour dialog as it comes up
    Customize({[&](HWND form) {
        Click(ButtonWithCaption(form, "Click to Select a Hot Track Color..."));
        Press(form, Form::OkButtonId);
    }});
    // Pre-set with the panel's colour and confirmed unchanged.
    EXPECT_EQ(control->HotTrackColor(), 0x00336699u);
    EXPECT_EQ(dialogs.Seen().size(), 1u);
}

} // namespace
} // namespace corvane::win32::testing

namespace corvane::win32::testing {
namespace {

// The General page's painted controls, read back as pixels.
std::unique_ptr<DibSurface> Print(HWND control) {
    RECT r;
    ::GetClientRect(control, &r);
    auto image = std::make_unique<DibSurface>(r.right, r.bottom);
    image->Fill(RGB(1, 2, 3));
    ::SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image->dc()), PRF_CLIENT);
    return image;
}

using CustomizeDialogPainting = CustomizeDialogWin32;

TEST_F(CustomizeDialogPainting, PanelPreviewsTheColourAndTheHotTrackGlyphShowsItsState) {
    control->SetColor(0x00336699);
    TFont font = control->Font();
    font.Color = 0x000000C0;
    control->SetFont(font);
    control->SetOptions(AllHeaderOptions & ~hoHotTrack);
    COLORREF panelFill = 0;
    int panelText = 0, blackEnabled = -1, blackDisabled = -1;
    Customize({[&](HWND form) {
        const auto panel = Print(ButtonWithCaption(form, "Selected Color and Font"));
        panelFill = panel->Pixel(4, 4);
        panelText = panel->Count(RECT{0, 0, panel->width(), panel->height()},
                                 [](COLORREF c) { return c == RGB(0xC0, 0, 0); });
        const HWND hotTrack = ButtonWithCaption(form, "Click to Select a Hot Track Color...");
        const RECT glyph{5, 4, 21, 20};
        const auto isBlack = [](COLORREF c) { return c == RGB(0, 0, 0); };
        blackEnabled = Print(hotTrack)->Count(glyph, isBlack); // HotTrack off: still enabled
        Click(ButtonWithCaption(form, "H&otTrack"));           // on: enabled
        Click(ButtonWithCaption(form, "H&otTrack"));           // off: disabled
        blackDisabled = Print(hotTrack)->Count(glyph, isBlack);
        Press(form, Form::CancelButtonId);
    }});
    EXPECT_EQ(panelFill, RGB(0x99, 0x66, 0x33));
    EXPECT_GT(panelText, 0); // the caption in the font's colour
    EXPECT_GT(blackEnabled, 10);
    EXPECT_EQ(blackDisabled, 0); // the disabled picture is embossed grey
}

} // namespace
} // namespace corvane::win32::testing
