#pragma once
// Enumerations, options and event types of the header control.

#include <cstdint>
#include <functional>
#include <string>

namespace corvane {

class THeaderColumns;
class TStrativ;

enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
enum TButtonStyle : uint8_t { bsAutoDetect, bsWin31, bsNew };
enum TBorderStyle : uint8_t { bsNone, bsSingle };

// Option n is bit n of the one-byte set.
enum THeaderOption : uint8_t {
    hoCustomize = 0x01,
    hoAbout = 0x02,
    hoVResize = 0x04,
    hoHresize = 0x08,
    hoClick = 0x10,
    hoHotTrack = 0x20,
    hoHint = 0x40,
    hoDragdrop = 0x80,
};
using THeaderOptions = uint8_t;
constexpr THeaderOptions AllHeaderOptions = 0xFF;

enum TTrackState : uint8_t { tsIdle = 0, tsHeightResize = 2, tsWidthResize = 3, tsDragging = 4 };

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };
// Shift state bits as the framework reports them with mouse input.
enum TShiftStateFlag : unsigned {
    ssShift = 0x01,
    ssAlt = 0x02,
    ssCtrl = 0x04,
    ssLeft = 0x08,
    ssRight = 0x10,
    ssMiddle = 0x20,
    ssDouble = 0x40,
};
using TShiftState = unsigned;

// The keys the header answers, numbered as the platform numbers its virtual
// keys.
enum TKeyCode : uint16_t {
    vkReturn = 0x0D,
    vkSpace = 0x20,
    vkEnd = 0x23,
    vkHome = 0x24,
    vkLeft = 0x25,
    vkUp = 0x26,
    vkRight = 0x27,
    vkDown = 0x28,
    vkApps = 0x5D,
    vkF10 = 0x79,
};

using TNotifyEvent = std::function<void(TStrativ* Sender)>;
using TSectionEvent =
    std::function<void(TStrativ* Sender, THeaderColumns* aSection, int SectionIndex, int AWidth)>;
using THeightSectionEvent =
    std::function<void(TStrativ* Sender, THeaderColumns* aSection, int aHeight)>;
using THeaderClickEvent = std::function<void(TStrativ* Sender, THeaderColumns* aSection)>;
using THintEvent =
    std::function<void(TStrativ* Sender, THeaderColumns* aSection, std::string& aHint)>;
using TDropSectionEvent =
    std::function<void(TStrativ* Sender, THeaderColumns* SrcSection, THeaderColumns* DestSection,
                       bool& AsChild, bool& AllowDrop)>;

} // namespace corvane
