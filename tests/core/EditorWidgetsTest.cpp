// The handler rule of the editor's controls: a value set from code or by the
// user runs the control's change handler exactly when the value changes; and
// the number texts of the editor's fields.

#include "core/editor/IntegerText.h"
#include "core/editor/Widgets.h"
#include "core/framework/Exceptions.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace corvane;
using namespace corvane::editor;

namespace {

struct CountingView : TWidgetView {
    int refreshes = 0;
    void Refresh() override { ++refreshes; }
};

// A sequence of values set in turn (alternately from code and by the user)
// and the handler runs expected after each.
template <class Value> struct Step {
    Value value;
    int runsAfter;
};

template <class Model, class Value, class Set, class SetByUser>
void ExpectRule(Model& model, THandler Model::*handler, const std::vector<Step<Value>>& steps,
                Set set, SetByUser setByUser) {
    int runs = 0, observed = 0;
    CountingView view;
    model.SetView(&view);
    model.*handler = [&runs] { ++runs; };
    model.OnValueChanged = [&observed] { ++observed; };
    for (size_t i = 0; i < steps.size(); ++i) {
        if (i % 2 == 0)
            set(steps[i].value);
        else
            setByUser(steps[i].value);
        EXPECT_EQ(runs, steps[i].runsAfter) << "step " << i;
        EXPECT_EQ(observed, runs) << "step " << i;
        EXPECT_EQ(view.refreshes, runs) << "step " << i;
    }
}

TEST(EditorWidgetRule, EditRunsItsChangeHandlerOnlyOnANewText) {
    TEditModel edit("0");
    ExpectRule<TEditModel, std::string>(
        edit, &TEditModel::OnChange,
        {{"0", 0}, {"0", 0}, {"12", 1}, {"12", 1}, {"", 2}, {"", 2}, {"0", 3}},
        [&](const std::string& v) { edit.SetText(v); },
        [&](const std::string& v) { edit.UserSetText(v); });
}

TEST(EditorWidgetRule, CheckBoxRunsItsClickHandlerOnlyOnANewState) {
    TCheckBoxModel box;
    ExpectRule<TCheckBoxModel, bool>(
        box, &TCheckBoxModel::OnClick, {{false, 0}, {true, 1}, {true, 1}, {false, 2}, {true, 3}},
        [&](bool v) { box.SetChecked(v); }, [&](bool v) { box.UserSetChecked(v); });
}

TEST(EditorWidgetRule, RadioGroupRunsItsClickHandlerOnlyOnANewItemAndClampsTheIndex) {
    TRadioGroupModel group({"None", "Lower", "Raise"});
    // 3 (bvSpace) and beyond choose the last item; below 0 the first.
    ExpectRule<TRadioGroupModel, int>(
        group, &TRadioGroupModel::OnClick,
        {{0, 0}, {2, 1}, {3, 1}, {1, 2}, {-1, 3}, {0, 3}, {200, 4}},
        [&](int v) { group.SetItemIndex(v); }, [&](int v) { group.UserSetItemIndex(v); });
    EXPECT_EQ(group.ItemIndex(), 2);
}

TEST(EditorWidgetRule, HandlerSettingItsOwnControlRunsOnceMorePerChange) {
    // The width edit's handler turns an empty text into "0".
    TEditModel edit("5");
    std::vector<std::string> seen;
    edit.OnChange = [&] {
        seen.push_back(edit.Text());
        if (edit.Text().empty())
            edit.SetText("0");
    };
    edit.UserSetText("");
    EXPECT_EQ(seen, (std::vector<std::string>{"", "0"}));
    EXPECT_EQ(edit.Text(), "0");
}

TEST(EditorWidgetRule, DisabledButtonIgnoresClicksAndExitAndKeysRunTheirHandlers) {
    TButtonModel button;
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    button.UserClick();
    button.SetEnabled(false);
    button.UserClick();
    EXPECT_EQ(clicks, 1);

    TEditModel edit;
    int exits = 0;
    edit.OnExit = [&] { ++exits; };
    edit.OnKeyPress = [](char& key) { key = key == 'x' ? 0 : key; };
    edit.UserExit();
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(edit.UserKeyPress('x'), 0);
    EXPECT_EQ(edit.UserKeyPress('7'), '7');
}

struct NumberCase {
    const char* text;
    std::optional<int> value;
};

class EditorNumberText : public ::testing::TestWithParam<NumberCase> {};

TEST_P(EditorNumberText, ConvertsExactlyTheDecimalTextsOfThe32BitRange) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(TryStrToInt(c.text), c.value);
    if (c.value) {
        EXPECT_EQ(StrToInt(c.text), *c.value);
    } else {
        try {
            StrToInt(c.text);
            FAIL() << "no error for '" << c.text << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("'") + c.text + "' is not a valid integer value");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EditorNumberText,
    ::testing::Values(NumberCase{"0", 0}, NumberCase{"75", 75}, NumberCase{"007", 7},
                      NumberCase{"  12", 12}, NumberCase{"-5", -5}, NumberCase{"+3", 3},
                      NumberCase{"2147483647", 2147483647},
                      NumberCase{"-2147483648", -2147483647 - 1},
                      NumberCase{"2147483648", std::nullopt},
                      NumberCase{"99999999999999999999", std::nullopt},
                      NumberCase{"", std::nullopt}, NumberCase{"-", std::nullopt},
                      NumberCase{"12 ", std::nullopt}, NumberCase{"1a", std::nullopt},
                      NumberCase{"$10", std::nullopt}, NumberCase{"0x10", std::nullopt}));

} // namespace
