#include "core/framework/streaming/IdentMap.h"

#include "core/framework/streaming/PublishedProperty.h"

namespace corvane {

const char* TIdentMap::NameOf(int32_t Value) const {
    for (const TIdentMapEntry& entry : *this)
        if (entry.Value == Value)
            return entry.Name;
    return nullptr;
}

std::optional<int32_t> TIdentMap::ValueOf(const std::string& Name) const {
    for (const TIdentMapEntry& entry : *this)
        if (SameText(entry.Name, Name))
            return entry.Value;
    return std::nullopt;
}

namespace {

constexpr TIdentMapEntry BevelCut[] = {
    {0, "bvNone"}, {1, "bvLowered"}, {2, "bvRaised"}, {3, "bvSpace"}};
constexpr TIdentMapEntry ButtonStyle[] = {{0, "bsAutoDetect"}, {1, "bsWin31"}, {2, "bsNew"}};
constexpr TIdentMapEntry BorderStyle[] = {{0, "bsNone"}, {1, "bsSingle"}};
constexpr TIdentMapEntry Align[] = {{0, "alNone"}, {1, "alTop"},   {2, "alBottom"},
                                    {3, "alLeft"}, {4, "alRight"}, {5, "alClient"}};
constexpr TIdentMapEntry Alignment[] = {
    {0, "taLeftJustify"}, {1, "taRightJustify"}, {2, "taCenter"}};
constexpr TIdentMapEntry BiDiMode[] = {{0, "bdLeftToRight"},
                                       {1, "bdRightToLeft"},
                                       {2, "bdRightToLeftNoAlign"},
                                       {3, "bdRightToLeftReadingOnly"}};

constexpr TIdentMapEntry FontStyle[] = {
    {0x01, "fsBold"}, {0x02, "fsItalic"}, {0x04, "fsUnderline"}, {0x08, "fsStrikeOut"}};

// Colour values are written as int32: system colours are negative.
constexpr int32_t Sys(int index) {
    return static_cast<int32_t>(0x80000000u | static_cast<uint32_t>(index));
}

constexpr TIdentMapEntry Color[] = {
    {0x000000, "clBlack"},        {0x000080, "clMaroon"},
    {0x008000, "clGreen"},        {0x008080, "clOlive"},
    {0x800000, "clNavy"},         {0x800080, "clPurple"},
    {0x808000, "clTeal"},         {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},       {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},         {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},         {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},         {0xFFFFFF, "clWhite"},
    {Sys(0), "clScrollBar"},      {Sys(1), "clBackground"},
    {Sys(2), "clActiveCaption"},  {Sys(3), "clInactiveCaption"},
    {Sys(4), "clMenu"},           {Sys(5), "clWindow"},
    {Sys(6), "clWindowFrame"},    {Sys(7), "clMenuText"},
    {Sys(8), "clWindowText"},     {Sys(9), "clCaptionText"},
    {Sys(10), "clActiveBorder"},  {Sys(11), "clInactiveBorder"},
    {Sys(12), "clAppWorkSpace"},  {Sys(13), "clHighlight"},
    {Sys(14), "clHighlightText"}, {Sys(15), "clBtnFace"},
    {Sys(16), "clBtnShadow"},     {Sys(17), "clGrayText"},
    {Sys(18), "clBtnText"},       {Sys(19), "clInactiveCaptionText"},
    {Sys(20), "clBtnHighlight"},  {Sys(21), "cl3DDkShadow"},
    {Sys(22), "cl3DLight"},       {Sys(23), "clInfoText"},
    {Sys(24), "clInfoBk"},        {0x1FFFFFFF, "clNone"},
    {0x20000000, "clDefault"},
};

constexpr TIdentMapEntry Cursor[] = {
    {0, "crDefault"},     {-1, "crNone"},     {-2, "crArrow"},      {-3, "crCross"},
    {-4, "crIBeam"},      {-6, "crSizeNESW"}, {-7, "crSizeNS"},     {-8, "crSizeNWSE"},
    {-9, "crSizeWE"},     {-10, "crUpArrow"}, {-11, "crHourGlass"}, {-12, "crDrag"},
    {-13, "crNoDrop"},    {-14, "crHSplit"},  {-15, "crVSplit"},    {-16, "crMultiDrag"},
    {-17, "crSQLWait"},   {-18, "crNo"},      {-19, "crAppStart"},  {-20, "crHelp"},
    {-21, "crHandPoint"}, {-22, "crSizeAll"},
};

constexpr TIdentMapEntry Charset[] = {
    {0, "ANSI_CHARSET"},      {1, "DEFAULT_CHARSET"},    {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},      {128, "SHIFTJIS_CHARSET"}, {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},   {134, "GB2312_CHARSET"},   {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},   {162, "TURKISH_CHARSET"},  {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},  {178, "ARABIC_CHARSET"},   {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"}, {222, "THAI_CHARSET"},     {238, "EASTEUROPE_CHARSET"},
    {255, "OEM_CHARSET"},
};

} // namespace

const TIdentMap BevelCutIdents(BevelCut);
const TIdentMap ButtonStyleIdents(ButtonStyle);
const TIdentMap BorderStyleIdents(BorderStyle);
const TIdentMap AlignIdents(Align);
const TIdentMap AlignmentIdents(Alignment);
const TIdentMap BiDiModeIdents(BiDiMode);
const TIdentMap FontStyleIdents(FontStyle);
const TIdentMap ColorIdents(Color);
const TIdentMap CursorIdents(Cursor);
const TIdentMap CharsetIdents(Charset);

} // namespace corvane
