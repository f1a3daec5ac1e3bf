#pragma once
// Screenshots of the windows a run visits. A program under Wine cannot
// capture the screen itself (its own captures come out blank), so the
// driver asks the script that runs it: it writes NAME.request holding the
// window's geometry ("WxH+X+Y") into the shot folder and waits for NAME.done,
// written once the script has captured the display.

#include "tools/e2edriver/Control.h"

#include <string>

class Camera {
public:
    // An empty folder takes no pictures.
    explicit Camera(std::wstring folder) : folder_(std::move(folder)) {}

    // Waits until the window has painted itself, then has it captured as
    // "NN-name", NN counting the pictures of the run.
    void shoot(const std::wstring& name, const Control& window);

private:
    std::wstring folder_;
    int taken_ = 0;
};
