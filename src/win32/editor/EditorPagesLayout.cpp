// The editor pages' controls: captions, bounds, tab order (creation
// order within each parent) and bindings, page by page.

#include "win32/editor/EditorPages.h"
#include "win32/editor/PaintedControls.h"

namespace corvane::win32::editor {
namespace {

constexpr const char* MemoText = "  Hot Keys:\r\n"
                                 "  Edit Caption - F2; Add Item - F3; Add Subtem - Ctrl-F3\r\n"
                                 "  Delete Iitem - F4; Go to Properies - Enter";

// Offsets of the group boxes whose controls the layout places inside them.
constexpr int OptionsLeft = 6, OptionsTop = 6;
constexpr int GroupBox1Left = 0, GroupBox1Top = 0;

} // namespace

void EditorPages::CreateGeneralPage(HWND page) {
    TGeneralPage& g = editor_.General;
    // Tab order 0..5: the radio groups, Hint (with its label), Align.
    RadioGroup(page, g.HeadersStyle, "HeadersStyle", 12, 86, 173, 30);
    RadioGroup(page, g.BevelInner, "BevelInner", 12, 121, 173, 30);
    RadioGroup(page, g.BevelOuter, "BevelOuter", 12, 155, 173, 30);
    RadioGroup(page, g.BorderStyle, "BorderStyle", 12, 190, 173, 30);
    Label(page, "&Hint:", 200, 90, 22, 13);
    Edit(page, g.Hint, 226, 88, 211, 21, HintEditId);
    RadioGroup(page, g.Align, "Align", 194, 110, 243, 53);

    // 6: the preview panel (no tab stop); the speed buttons take no focus.
    Keep(std::make_unique<PreviewPanel>(g.ColorPanel, page, "Selected Color and Font", 196, 252,
                                        245, 29));
    Keep(std::make_unique<SpeedButton>(g.Font, page, GlyphKind::Font, "Click to Select a Font...",
                                       196, 168, 245, 25));
    Keep(std::make_unique<SpeedButton>(g.Color, page, GlyphKind::Color,
                                       "Click to Select a Color...", 196, 196, 245, 25));
    Keep(std::make_unique<SpeedButton>(g.HotTrackButton, page, GlyphKind::HotTrack,
                                       "Click to Select a Hot Track Color...", 196, 224, 245, 25));

    // 7: the Options group with its check boxes in their own tab order.
    Child(page, "BUTTON", "Options", BS_GROUPBOX | WS_GROUP, OptionsLeft, OptionsTop, 431, 73);
    struct Box {
        TCheckBoxModel TGeneralPage::*model;
        const char* caption;
        int x, y, width, height;
    };
    static const Box boxes[] = {
        {&TGeneralPage::VisibleCheck, "&Visible", 16, 14, 73, 17},
        {&TGeneralPage::ShowhintCheck, "&ShowHint", 222, 14, 73, 17},
        {&TGeneralPage::Customizecheck, "&Customizing", 16, 30, 85, 17},
        {&TGeneralPage::HotTrack, "H&otTrack", 118, 30, 73, 17},
        {&TGeneralPage::VResizeCheck, "&Height Resize", 16, 46, 125, 17},
        {&TGeneralPage::HresizeCheckBox, "&Width Resize", 118, 46, 125, 15},
        {&TGeneralPage::HintSections, "H&intSections", 118, 14, 73, 17},
        {&TGeneralPage::MoveSections, "&Move Sections", 222, 30, 107, 17},
        {&TGeneralPage::ShowAbout, "Show A&bout", 222, 46, 125, 15},
        {&TGeneralPage::SectionClick, "Section Click", 322, 14, 103, 15},
    };
    for (const Box& b : boxes)
        CheckBox(page, g.*b.model, b.caption, OptionsLeft + b.x, OptionsTop + b.y, b.width,
                 b.height);

    // 8, 9: the two number fields with their labels.
    Label(page, "BorderWidth:", 53, 228, 62, 13);
    Edit(page, g.BorderWidth, 126, 228, 57, 21, BorderWidthId);
    Label(page, "&Bevelwidth:", 60, 256, 55, 13);
    Edit(page, g.BevelWidth, 126, 252, 57, 21, BevelWidthId);
}

void EditorPages::CreateSectionsPage(HWND page) {
    TSectionsPage& s = editor_.Sections;
    RECT area;
    ::GetClientRect(page, &area);
    Child(page, "BUTTON", "ColumnHeaders Collection", BS_GROUPBOX | WS_GROUP, GroupBox1Left,
          GroupBox1Top, 437, area.bottom);
    const int x0 = GroupBox1Left, y0 = GroupBox1Top;

    // 0: the tree view, after its label.
    Label(page, "&Items:", x0 + 6, y0 + 64, 40, 13);
    const HWND tree = Child(page, WC_TREEVIEWA, "",
                            WS_TABSTOP | WS_GROUP | TVS_HASBUTTONS | TVS_HASLINES |
                                TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS,
                            x0 + 4, y0 + 84, 271, 153, HeadersId, WS_EX_CLIENTEDGE);
    ::SendMessageA(tree, TVM_SETINDENT, 19, 0);
    tree_ = std::make_unique<TreeViewPort>(s.Headers, tree);
    Bind(tree, *tree_);

    // 1..3: width, height, alignment.
    Label(page, "&Width:", x0 + 292, y0 + 66, 40, 13);
    Edit(page, s.widthEdit, x0 + 292, y0 + 82, 123, 21, WidthEditId);
    Label(page, "&Height:", x0 + 292, y0 + 110, 40, 13);
    Edit(page, s.HeightEdit, x0 + 292, y0 + 126, 121, 21, HeightEditId);
    RadioGroup(page, s.AlignGroup, "A&lignment", x0 + 292, y0 + 154, 125, 65);

    // 4..6: the item commands.
    PushButton(page, s.AddBtn, "Add", x0 + 8, y0 + 248, 0);
    PushButton(page, s.AddSubbtn, "Add Subitem", x0 + 90, y0 + 248, 0);
    PushButton(page, s.DeleteBtn, "Delete", x0 + 172, y0 + 248, 0);

    // 7: the hot-key memo, read-only, borderless, in the page's colour.
    Child(page, "EDIT", MemoText, WS_TABSTOP | WS_GROUP | ES_MULTILINE | ES_READONLY, x0 + 2,
          y0 + 15, 433, 48);

    // 8..10: the moves and the word-wrap box.
    PushButton(page, s.MoveUpBtn, "Move Up...", x0 + 254, y0 + 248, 0);
    PushButton(page, s.MovedownBtn, "Move Down...", x0 + 336, y0 + 248, 0);
    CheckBox(page, s.WordWrap, "&WordWrap", x0 + 292, y0 + 224, 97, 17);
}

} // namespace corvane::win32::editor
