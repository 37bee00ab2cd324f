#include "views/incall/CLayoutPeopleSettingDlgGeometry.h"

namespace rj_app::views::layout {

namespace {

// Doubles are cut toward zero; a degenerate dialog (no height left for the
// content) must not turn an infinite product into an int.
int trunc(double value)
{
    if (!(value > -2147483648.0 && value < 2147483648.0))
        return 0;
    return static_cast<int>(value);
}

// w / h > 16:9, with nothing left in height counting as wider than any ratio.
bool wider(int w, int h)
{
    return h > 0 ? double(w) / double(h) > kVideoRatio : w > 0;
}

} // namespace

bool isTiledMode(int layoutMode)
{
    return layoutMode == enums::LayoutMode_RemotePreferredContent
        || layoutMode == enums::LayoutMode_RemotePreferredWhiteBoard;
}

LayoutSize calculateLayoutSize(int layoutMode, int width, int height)
{
    LayoutSize s;
    const int w = width > 0 ? width : 0;
    const int h = height > 0 ? height : 0;
    if (isTiledMode(layoutMode)) {
        s.peopleHeight = trunc(h * 0.25);
        s.peopleWidth = trunc(s.peopleHeight * kVideoRatio);
        if (kMinPeopleCellsAcross * s.peopleWidth > w) {
            s.peopleWidth = trunc(w / double(kMinPeopleCellsAcross));
            s.peopleHeight = trunc(s.peopleWidth / kVideoRatio);
        }
        const int rest = h - s.peopleHeight;
        if (wider(w, rest)) {
            s.contentHeight = rest;
            s.layoutWidth = trunc(rest * kVideoRatio);
        } else {
            s.layoutWidth = w;
            s.contentHeight = trunc(w / kVideoRatio);
        }
        s.layoutHeight = s.peopleHeight + s.contentHeight;
        s.contentWidth = s.layoutWidth;
        if (s.layoutWidth < kMinPeopleCellsAcross * s.peopleWidth) {
            s.layoutWidth = kMinPeopleCellsAcross * s.peopleWidth;
            s.widenedToPeopleCells = true;
        }
        if (s.layoutWidth > w) {
            s.layoutWidth = w;
            s.narrowedToDialog = true;
        }
    } else if (wider(w, h)) {
        s.layoutHeight = h;
        s.layoutWidth = trunc(h * kVideoRatio);
    } else {
        s.layoutWidth = w;
        s.layoutHeight = trunc(w / kVideoRatio);
    }
    s.relativeX = (w - s.layoutWidth) / 2;
    s.relativeY = (h - s.layoutHeight) / 2;
    return s;
}

enums::LayoutModeType chooseLayoutMode(const ModeInputs &in)
{
    using namespace enums;
    const auto current = static_cast<LayoutModeType>(in.currentMode);
    if (in.audioOnly)
        return LayoutMode_AudioOnly;
    switch (in.contentStatus) {
    case ContentStreamStatus_ReceivingContentStarted:
        // Content in a window of its own leaves the layout to the people;
        // a mode kept from an earlier share would show nothing here.
        if (in.separateContentWindow)
            return LayoutMode_NormalPeople;
        if (current == LayoutMode_RemotePreferredContent || current == LayoutMode_RemoteContentOnly)
            return current;
        return LayoutMode_RemoteContentOnly;
    case ContentStreamStatus_ReceivingWhiteBoardStarted:
        if (in.separateContentWindow || !in.hasWhiteBoardToken)
            return LayoutMode_NormalPeople;
        if (current == LayoutMode_RemotePreferredWhiteBoard || current == LayoutMode_RemoteWhiteBoardOnly)
            return current;
        return LayoutMode_RemoteWhiteBoardOnly;
    case ContentStreamStatus_SendingContentStarted:
        return LayoutMode_LocalContent;
    case ContentStreamStatus_SendingWhiteBoardStarted:
        return LayoutMode_LocalWhiteBoard;
    default:
        return LayoutMode_NormalPeople;
    }
}

} // namespace rj_app::views::layout
