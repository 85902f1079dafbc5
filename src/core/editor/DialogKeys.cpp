#include "core/editor/DialogKeys.h"

namespace corvane::editor {
namespace {

TKeyRoute RouteEnter(TKeyRole role) {
    switch (role) {
    case TKeyRole::Tree:
        return TKeyRoute::Control; // to the width edit
    case TKeyRole::Edit:
    case TKeyRole::HotKeyMemo:
        return TKeyRoute::Swallow;
    case TKeyRole::PushButton:
        return TKeyRoute::PressButton;
    default:
        return TKeyRoute::DialogManager;
    }
}

TKeyRoute RouteEscape(TKeyRole role) {
    switch (role) {
    case TKeyRole::Tree:
    case TKeyRole::Edit:
    case TKeyRole::HotKeyMemo:
        return TKeyRoute::Swallow;
    default:
        return TKeyRoute::DialogManager;
    }
}

char UpperCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

TKeyRoute RouteKey(TKeyRole role, TKeyStroke key) {
    if (key.Shift & ssAlt)
        return TKeyRoute::Native; // mnemonics and the system's keys
    const bool shift = (key.Shift & ssShift) != 0;
    if (key.Shift & ssCtrl) {
        switch (key.Key) {
        case KeyTab:
            return shift ? TKeyRoute::PreviousPage : TKeyRoute::NextPage;
        case KeyPageDown:
            return TKeyRoute::NextPage;
        case KeyPageUp:
            return TKeyRoute::PreviousPage;
        default:
            break;
        }
    }
    switch (key.Key) {
    case KeyTab:
        return TKeyRoute::DialogManager;
    case KeyReturn:
        return RouteEnter(role);
    case KeyEscape:
        return RouteEscape(role);
    default:
        return TKeyRoute::Native;
    }
}

char MnemonicOf(std::string_view caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return UpperCase(caption[i + 1]);
        ++i; // "&&": a plain ampersand
    }
    return 0;
}

std::optional<TMnemonicChoice> ChooseMnemonic(const std::vector<TMnemonicCandidate>& candidates,
                                              char key) {
    key = UpperCase(key);
    if (key == 0)
        return std::nullopt;
    std::vector<size_t> matches;
    size_t focused = candidates.size();
    for (size_t i = 0; i < candidates.size(); ++i) {
        if (candidates[i].Mnemonic != key)
            continue;
        if (candidates[i].HasFocus)
            focused = matches.size();
        matches.push_back(i);
    }
    if (matches.empty())
        return std::nullopt;
    TMnemonicChoice choice;
    choice.Index = focused < matches.size() ? matches[(focused + 1) % matches.size()] : matches[0];
    choice.Activate = matches.size() == 1;
    return choice;
}

} // namespace corvane::editor
