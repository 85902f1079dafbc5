#pragma once
// Headers for the painting and hit-test benchmarks: three levels of sections
// (ten leaves under each middle section, ten middle sections under each top
// section) on a 1,920 x 40 client, and a canvas that draws nothing, so the
// figures are the control's own cost.

#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"
#include "core/platform/Canvas.h"

#include <memory>
#include <string>

namespace corvane::bench {

class NullCanvas : public TCanvas {
public:
    void SetFont(const TFont&) override {}
    void SetFontColor(TColor) override {}
    void SetBrushColor(TColor) override {}
    void SetBrushStyle(TBrushStyle) override {}
    TPen Pen() const override { return pen_; }
    void SetPen(const TPen& pen) override { pen_ = pen; }
    void FillRect(const TRect&) override {}
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void Rectangle(const TRect&) override {}
    void DrawEdge(const TRect&, unsigned, unsigned) override {}
    void DrawTextEx(const std::string&, const TRect&, unsigned) override {}
    void DrawFocusRect(const TRect&) override {}
    bool DrawThemedHeaderItem(const TRect&, THeaderItemState, TColor, TColor&) override {
        return false;
    }
    int TextWidth(const std::string& text) override { return static_cast<int>(text.size()); }

private:
    TPen pen_;
};

constexpr int ClientWidth = 1920;
constexpr int ClientHeight = 40;

// A header with `leaves` columns (a multiple of 10), widths 60 to 99, ten
// under each middle section and `groupSize` under each top section.
inline std::unique_ptr<TStrativ> MakeHeader(int leaves, int groupSize = 100) {
    auto header = std::make_unique<TStrativ>();
    header->SetClientSize(ClientWidth, ClientHeight);
    THeaderColumns* root = header->Sections();
    root->Clear();
    {
        // Held reports: otherwise every Add would rebuild the whole index.
        UpdateScope holdRoot(*root);
        for (int group = 0; group * groupSize < leaves; ++group) {
            THeaderColumns* top = root->Add("Group " + std::to_string(group));
            UpdateScope holdTop(*top);
            for (int i = group * groupSize; i < leaves && i < (group + 1) * groupSize; ++i) {
                THeaderColumns* middle =
                    i % 10 == 0 ? top->Add("Part " + std::to_string(i / 10)) : top->GetLastChild();
                middle->Add("Column " + std::to_string(i))->SetWidth(60 + i * 7 % 40);
            }
        }
    }
    root->Changed(true);
    return header;
}

} // namespace corvane::bench
