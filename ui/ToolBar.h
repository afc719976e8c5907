// The main window's tool bar: ten commands as picture buttons with tool tips.
#pragma once

#include "framework/Controls.h"

// What the common-controls library in use can draw.
struct CommonControlsLevel {
    bool FlatToolBar;    // 4.70 and later
    bool ExtendedStyle;  // 4.71 and later
};

// The level of a library that reports the version major.minor.
CommonControlsLevel CommonControlsLevelOf(unsigned long major, unsigned long minor);
// The level of "COMCTL32.DLL", asked once per process; both flags off when it cannot tell.
const CommonControlsLevel& GetCommonControlsLevel();

class MainToolBar : public CToolBarCtrl {
public:
    static constexpr int kImageCount = 10;

    // Creates the bar along the top of the parent with its images and buttons, shown only
    // when visible is true, in the form that the library level can draw; Abort starts disabled.
    bool Create(CWnd* parent, bool visible, const CommonControlsLevel& level = GetCommonControlsLevel(),
                UINT id = 105);

    // Enables the commands that may start or change a job while idle, Abort while busy.
    void SetRunState(bool busy);

    // Stretches the bar over the client width, keeping its left, top and height; returns its
    // bottom in the parent's client coordinates.
    int PlaceAtTop(const RECT& client);
};
