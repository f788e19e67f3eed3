#include "tests/support/second_window.h"

#include "tests/support/screenshots.h"

#include <gtest/gtest.h>

namespace lvtest {
namespace {

// A drawn window shows its frame, face and text; one never drawn is all one colour (black
// under a compositor, the desktop's colour without one).
constexpr int kDrawnColours = 3;

std::string Describe(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " - " + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

} // namespace

void ExpectSecondWindow(const XScreen& x, BackgroundProgram& program, const std::string& window,
                        const std::string& owner, Keyboard keyboard, const std::string& shot) {
    ASSERT_TRUE(program.Running()) << "the program died: " << program.Output();
    ASSERT_FALSE(window.empty()) << "no window came: " << program.Output();
    const SIZE screen = x.Size();
    const RECT r = x.Geometry(window);
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= screen.cx && r.bottom <= screen.cy &&
                r.right > r.left && r.bottom > r.top)
        << "not whole on the screen: " << Describe(r);
    EXPECT_TRUE(Eventually([&] { return x.OnTop(window); })) << "not on top";
    if (keyboard == Keyboard::taken)
        EXPECT_TRUE(x.FocusComesTo(window)) << "the keyboard is with " << x.Focused();
    else // keys reach the popup through its owner or by itself
        EXPECT_TRUE(Eventually([&] {
            const std::string focused = x.Focused();
            return focused == owner || focused == window;
        })) << "the keyboard is with "
            << x.Focused();
    int colours = 0;
    EXPECT_TRUE(Eventually([&] { return (colours = x.ColoursIn(r)) >= kDrawnColours; }))
        << "not drawn: " << colours << " colour(s) in " << Describe(r);
    x.Screenshot(ScreenshotPath(shot + ".png"));
    EXPECT_TRUE(program.Running()) << program.Output();
}

void ExpectClosedBackTo(const XScreen& x, BackgroundProgram& program, const std::string& window,
                        const std::string& owner) {
    ASSERT_TRUE(program.Running()) << "the program died: " << program.Output();
    EXPECT_TRUE(x.WindowGone(program.Pid(), window)) << "the window stayed";
    EXPECT_TRUE(x.FocusComesTo(owner)) << "the keyboard is with " << x.Focused();
    EXPECT_TRUE(program.Running()) << program.Output();
}

} // namespace lvtest
