// Widths that follow the captions: a double click on a width zone fits the
// leaf (or each leaf of the section) to its caption, and a Shift+drag of a
// parent's edge shares the new width among its leaves in proportion.

#include "core/control/Strativ.h"

#include "core/control/ProportionalWidths.h"
#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"
#include "core/platform/Canvas.h"

#include <algorithm>

namespace corvane {
namespace {

// Lowest first, then highest: the highest wins when they cross.
int64_t Clamp(int64_t value, int64_t lowest, int64_t highest) {
    return std::min(std::max(value, lowest), highest);
}

// Word-wrapped captions break at these.
bool IsBreak(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

int WidestWord(TCanvas& canvas, const std::string& text) {
    int widest = 0;
    size_t start = 0;
    while (start < text.size()) {
        while (start < text.size() && IsBreak(text[start]))
            ++start;
        size_t end = start;
        while (end < text.size() && !IsBreak(text[end]))
            ++end;
        if (end > start)
            widest = std::max(widest, canvas.TextWidth(text.substr(start, end - start)));
        start = end;
    }
    return widest;
}

} // namespace

// The caption's rectangle lies inside the face by the face's inset, and 2
// more: a word-wrapped caption is drawn 2 further in, a single-line one 2
// further in while it carries the focus mark (StrativPaint.cpp).
int64_t TStrativ::CaptionMargin(const THeaderColumns*) const {
    const int64_t inset = headerstyle_ == bsWin31 ? int64_t{bevelWidth_} + 1 : 2;
    return inset + 2;
}

int TStrativ::FittedWidth(const THeaderColumns* Section) {
    TCanvas* canvas = Services().Canvas();
    if (canvas == nullptr || Section == nullptr)
        return -1;
    canvas->SetFont(Font());
    const int text = Section->Wordwrap() ? WidestWord(*canvas, Section->Caption())
                                         : canvas->TextWidth(Section->Caption());
    return SaturateToInt(int64_t{text} + 2 * CaptionMargin(Section));
}

void TStrativ::Autofit(THeaderColumns* Section) {
    if (Section == nullptr || !InThisTree(Section))
        return;
    std::vector<SectionRef> leaves;
    for (int i = 0; i < levels_->LeafCount(); ++i)
        if (Section->IsParent(levels_->Leaf(i)))
            leaves.emplace_back(levels_->Leaf(i));
    for (const SectionRef& ref : leaves) {
        // Handlers of the previous leaf's events may have edited the tree.
        THeaderColumns* leaf = ref.get();
        if (leaf == nullptr || !InThisTree(leaf) || leaf->HasChildren())
            continue;
        const int fitted = FittedWidth(leaf);
        if (fitted < 0)
            return;
        if (fitted != leaf->Width()) {
            DoSizing(leaf, ColumnOf(leaf), fitted);
            leaf = ref.get();
            if (leaf == nullptr || !InThisTree(leaf))
                continue;
            leaf->SetWidth(fitted);
        }
        DoSized(leaf, ColumnOf(leaf), leaf->Width());
    }
}

void TStrativ::DblClick(TShiftState Shift, int X, int Y) {
    if (!(resizeAllowed_ && trackState_ == tsWidthResize && resizeSection_ &&
          !Services().HasCapture())) {
        MouseDown(mbLeft, Shift | ssDouble, X, Y);
        return;
    }
    THeaderColumns* section = resizeSection_.get();
    // The zone is used up: the release that follows ends nothing, and the
    // button still held drags nothing; also when a handler raised.
    const auto endFit = [this] {
        BackToIdle();
        resizeSection_.reset();
        awaitingFreshPress_ = true;
        releaseAfterFit_ = true;
        Repaint();
    };
    try {
        Autofit(section);
    } catch (...) {
        endFit();
        throw;
    }
    endFit();
}

// A Shift+drag of a parent's right edge proposes the parent's new width; it
// never goes below MinimumLeafWidth for each of its leaves.
void TStrativ::TrackProportional(int X) {
    THeaderColumns* section = resizeSection_.get();
    if (section == nullptr)
        return;
    int64_t leaves = 0;
    for (int i = 0; i < levels_->LeafCount(); ++i)
        if (section->IsParent(levels_->Leaf(i)))
            ++leaves;
    const int64_t width = section->Width();
    DrawTrackLine();
    const int64_t edge = int64_t{SectionRect(section).Right} + 2;
    const int64_t minimumTotal = MinimumLeafWidth * std::max<int64_t>(leaves, 1);
    const int64_t lowest =
        std::max(edge - width + 2, minimumTotal - width + edge - 2 + grabOffset_.X);
    const int64_t x = Clamp(X, lowest, int64_t{ClientWidth()} - 2);
    pendingSize_.X = SaturateToInt(std::max(minimumTotal, width - (edge - x - 2) - grabOffset_.X));
    trackLine_.X = SaturateToInt(x);
    if (pendingSize_.X != width)
        DoSizing(section, resizeColumn_, pendingSize_.X);
    if (trackState_ == tsWidthResize)
        DrawTrackLine();
}

// Every leaf is stored first, then each changed one reports OnSized.
void TStrativ::EndProportionalResize() {
    DrawTrackLine();
    THeaderColumns* section = resizeSection_.get();
    if (section == nullptr || pendingSize_.X == -1)
        return;
    std::vector<SectionRef> leaves;
    std::vector<int> widths;
    for (int i = 0; i < levels_->LeafCount(); ++i) {
        THeaderColumns* leaf = levels_->Leaf(i);
        if (section->IsParent(leaf)) {
            leaves.emplace_back(leaf);
            widths.push_back(leaf->Width());
        }
    }
    const std::vector<int> shares = ProportionalWidths(widths, pendingSize_.X, MinimumLeafWidth);
    std::vector<SectionRef> changed;
    for (size_t i = 0; i < leaves.size(); ++i) {
        if (shares[i] == widths[i])
            continue;
        leaves[i]->SetWidth(shares[i]);
        changed.push_back(leaves[i]);
    }
    for (const SectionRef& ref : changed) {
        THeaderColumns* leaf = ref.get();
        if (leaf != nullptr && InThisTree(leaf))
            DoSized(leaf, ColumnOf(leaf), leaf->Width());
    }
}

} // namespace corvane
