// The Windows driver's actions as test steps: each one that fails is a
// test failure that names the control.
#pragma once

#include <gtest/gtest.h>

#include "tools/driver/win_driver.h"

// Presses a button and waits until the program has handled it.
inline void click(HWND dialog, int id)
{
    EXPECT_TRUE(press(dialog, id)) << "control " << id
                                   << " is missing or did not finish its click; use click_opening_box";
}

// Presses a button whose click opens a modal message box.
inline void click_opening_box(HWND dialog, int id)
{
    EXPECT_TRUE(press_without_waiting(dialog, id)) << "no control " << id;
}

// Presses a message box's OK and expects it gone.
inline void dismiss(HWND box)
{
    EXPECT_TRUE(dismiss_box(box)) << "the message box stayed";
}
