#pragma once
// The header's geometry and painting computed the plain way: every rectangle
// by a fresh walk along the whole leaf list, nothing kept between calls. Tests
// compare the control's cached geometry with it, and the benchmarks measure
// against it. Running edges are 64-bit and rectangles pinned to the 32-bit
// range, as the control defines them.

#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"
#include "core/model/Levels.h"
#include "core/platform/Canvas.h"

#include <climits>
#include <cstdint>

namespace corvane::literal {

inline int Pin(int64_t v) {
    return v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : static_cast<int>(v));
}

inline void SectionBand(const TStrativ& header, const THeaderColumns* s, int& top, int& bottom) {
    int64_t sum = s->Height();
    for (const THeaderColumns* a = s->Parent(); a != nullptr; a = a->Parent())
        if (a->Parent() != nullptr)
            sum += a->Height();
    top = Pin(sum - s->Height());
    bottom = s->HasChildren() ? Pin(sum) : header.ClientHeight();
}

inline TRect SectionRect(const TStrativ& header, const THeaderColumns* s) {
    int top = 0, bottom = 0;
    SectionBand(header, s, top, bottom);
    const TLevels& levels = header.Levels();
    const int count = levels.LeafCount();
    int64_t left = 0, right = 0, sum = 0;
    bool inside = false;
    for (int i = 0; i < count; ++i) {
        const THeaderColumns* leaf = levels.Leaf(i);
        sum += leaf->Width();
        const int64_t end = i == count - 1 ? header.ClientWidth() : sum;
        if (s->HasChildren() && s->IsParent(leaf)) {
            if (!inside)
                left = right;
            right = end;
            inside = true;
        } else {
            if (inside)
                break;
            left = right;
            right = end;
        }
        if (leaf == s)
            break;
    }
    return TRect{Pin(left), top, Pin(right), bottom};
}

inline TSectionHit SectionAt(const TStrativ& header, TPoint p) {
    const TLevels& levels = header.Levels();
    const int count = levels.LeafCount();
    int64_t sum = 0;
    for (int i = 0; i < count; ++i) {
        THeaderColumns* leaf = levels.Leaf(i);
        sum += leaf->Width();
        const int64_t end = i == count - 1 ? header.ClientWidth() : sum;
        if (end <= p.X)
            continue;
        for (THeaderColumns* s = leaf; s != nullptr && s->Parent() != nullptr; s = s->Parent()) {
            const TRect r = SectionRect(header, s);
            if (r.Contains(p))
                return TSectionHit{s, r, i};
        }
    }
    return TSectionHit{};
}

inline void PaintColumn(TStrativ& header, TCanvas& canvas, int column) {
    const THeaderColumns* leaf = header.Levels().Leaf(column);
    const THeaderColumns* below = nullptr;
    for (const THeaderColumns* s = leaf; s != nullptr && s->Parent() != nullptr;
         below = s, s = s->Parent()) {
        if (s != leaf && s->Count() >= 2 && s->Items(0) != below)
            break;
        header.PaintSection(canvas, s, SectionRect(header, s));
    }
}

inline void Paint(TStrativ& header, TCanvas& canvas) {
    canvas.SetFont(header.Font());
    canvas.SetBrushColor(header.Color());
    canvas.FillRect(TRect{0, 0, header.ClientWidth(), header.ClientHeight()});
    canvas.SetBrushStyle(TBrushStyle::Clear);
    const int count = header.Levels().LeafCount();
    int64_t right = 0;
    for (int i = 0; i < count; ++i) {
        right += header.Levels().Leaf(i)->Width();
        if (header.ClientWidth() - right < 2 || i == count - 1)
            right = header.ClientWidth();
        PaintColumn(header, canvas, i);
        if (right == header.ClientWidth())
            break;
    }
}

} // namespace corvane::literal
