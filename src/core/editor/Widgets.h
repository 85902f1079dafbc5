#pragma once
// The editor's controls as its logic sees them. Each model holds its value
// and runs its change handler itself, exactly when a new value differs from
// the one it holds, whether code or the user set it; setting the same value
// runs nothing. A platform control attached as the model's view only shows
// the value and reports what the user did (through the User... entries), so
// the rule holds by construction for real controls and for test fakes alike.

#include "core/framework/Graphics.h"

#include <functional>
#include <string>
#include <vector>

namespace corvane::editor {

using THandler = std::function<void()>;

// What a platform control does for its model.
class TWidgetView {
public:
    virtual ~TWidgetView() = default;
    // The model's state changed: show it (read it back from the model).
    virtual void Refresh() = 0;
    // Give the control the keyboard focus.
    virtual void Focus() {}
    // Select the whole text (edits), so that typing replaces it.
    virtual void SelectAll() {}
};

class TWidget {
public:
    TWidget() = default;
    TWidget(const TWidget&) = delete;
    TWidget& operator=(const TWidget&) = delete;
    virtual ~TWidget() = default;

    void SetView(TWidgetView* view) { view_ = view; }
    TWidgetView* View() const { return view_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    void Focus();
    // Times Focus was asked for (a control without a view cannot show it).
    int FocusRequests() const { return focusRequests_; }

    // Runs after the handler of every change of value: one observer for a
    // whole page (a host page marks itself changed through it).
    THandler OnValueChanged;

protected:
    void Refresh();
    void ValueChanged(const THandler& handler);

private:
    TWidgetView* view_ = nullptr;
    bool enabled_ = true;
    int focusRequests_ = 0;
};

// A single-line edit: text changed, focus lost, character typed.
class TEditModel : public TWidget {
public:
    explicit TEditModel(std::string text = {}) : text_(std::move(text)) {}
    const std::string& Text() const { return text_; }
    void SetText(const std::string& value);
    // The user changed the text in the control.
    void UserSetText(const std::string& value) { SetText(value); }
    // The control lost the focus.
    void UserExit();
    // A typed character; the handler may replace it (0 discards it).
    char UserKeyPress(char key);
    // Selects the whole text in the control.
    void SelectAll();
    // Times SelectAll was asked for.
    int SelectAllRequests() const { return selectAllRequests_; }

    THandler OnChange, OnExit;
    std::function<void(char& key)> OnKeyPress;

private:
    std::string text_;
    int selectAllRequests_ = 0;
};

// A check box: its click handler runs whenever its state changes.
class TCheckBoxModel : public TWidget {
public:
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    void UserSetChecked(bool value) { SetChecked(value); }

    THandler OnClick;

private:
    bool checked_ = false;
};

// A radio group: one chosen item; its click handler runs whenever the chosen
// item changes. An index beyond the items chooses the last one, one below 0
// the first: a group always has a chosen item.
class TRadioGroupModel : public TWidget {
public:
    explicit TRadioGroupModel(std::vector<std::string> items, int columns = 1)
        : items_(std::move(items)), columns_(columns) {}
    const std::vector<std::string>& Items() const { return items_; }
    int Columns() const { return columns_; }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    void UserSetItemIndex(int value) { SetItemIndex(value); }
    void UserExit();

    THandler OnClick, OnExit;

private:
    std::vector<std::string> items_;
    int columns_;
    int itemIndex_ = 0;
};

// A push or speed button. A speed button's caption colour is a value the
// dialog keeps in it (the hot-track colour).
class TButtonModel : public TWidget {
public:
    TColor CaptionColor() const { return captionColor_; }
    void SetCaptionColor(TColor value);
    // A click by the user; a disabled button does nothing.
    void UserClick();

    THandler OnClick;

private:
    TColor captionColor_ = clWindowText;
};

// A panel that previews a colour and a font.
class TPanelModel : public TWidget {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& value);

private:
    TColor color_ = clBtnFace;
    TFont font_;
};

// A page control: which page is shown.
class TPageControlModel : public TWidget {
public:
    int ActivePage() const { return activePage_; }
    void SetActivePage(int value);
    void UserSetActivePage(int value) { SetActivePage(value); }

private:
    int activePage_ = 0;
};

} // namespace corvane::editor
