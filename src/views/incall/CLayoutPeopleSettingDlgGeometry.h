#pragma once

#include "helpers/Enums.h"

namespace rj_app::views::layout {

// Width over height of every video area.
constexpr double kVideoRatio = 16.0 / 9.0;
// A tiled layout is never narrower than this many people cells.
constexpr int kMinPeopleCellsAcross = 5;

// Where the video of one layout mode goes inside a dialog of a given size.
struct LayoutSize
{
    int layoutWidth = 0;
    int layoutHeight = 0;
    int relativeX = 0; // origin of the layout inside the dialog
    int relativeY = 0;
    // Tiled modes only: the content area on top and one people cell below.
    int contentWidth = 0;
    int contentHeight = 0;
    int peopleWidth = 0;
    int peopleHeight = 0;
    bool widenedToPeopleCells = false; // raised to kMinPeopleCellsAcross cells
    bool narrowedToDialog = false;     // cut back to the dialog's width
};

// True for the modes that tile content above two people cells.
bool isTiledMode(int layoutMode);

// The geometry of `layoutMode` in a dialog of width x height pixels.
LayoutSize calculateLayoutSize(int layoutMode, int width, int height);

// What the call and its content ask of the layout.
struct ModeInputs
{
    bool audioOnly = false;
    int contentStatus = 0; // enums::ContentStreamStatus
    bool separateContentWindow = false;
    bool hasWhiteBoardToken = false;
    int currentMode = enums::LayoutMode_NormalPeople;
};

// The layout mode that follows from `in`.
enums::LayoutModeType chooseLayoutMode(const ModeInputs &in);

} // namespace rj_app::views::layout
