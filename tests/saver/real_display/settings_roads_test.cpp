// The settings dialog on a desktop with a window manager as well as on the bare server: every
// road that opens a second window (the five advanced dialogs, the colour popup with its tool tip
// and the colour dialog of its "More Colors...", the file dialogs of the media and music dialogs,
// a message box) leaves the program alive and the new window on top, with the keyboard, whole on
// the screen and drawn; closing it gives the keyboard back to its owner.
#include "tests/saver/real_display/saver_desktop.h"

namespace saver_desktop {
namespace {

class SettingsRoads : public SaverOnADesktop {
protected:
    // Clicks the background colour dialog's first colour button; the popup that opens (empty
    // when none came).
    std::string OpenColourPopup(const std::string& back) {
        ClickAt(OnScreen(X().Geometry(back), kColourButton));
        return X().NewWindowOf(m_program->Pid(), {m_settings, back});
    }
};

TEST_P(SettingsRoads, EachAdvancedDialogOpensOverTheSettingsAndEscapeGivesTheKeyboardBack) {
    WriteTheme();
    RegisterFrameFolder();
    ASSERT_FALSE(StartSettings().empty());
    ShowAdvancedPage();
    for (const AdvancedDialog& advanced :
         {kBackColourDialog, kMusicDialog, kTransitionDialog, kFrameDialog, kMediaDialog}) {
        SCOPED_TRACE(advanced.title);
        const std::string dialog = OpenAdvanced(advanced);
        if (!dialog.empty())
            CloseAdvanced(advanced, dialog);
    }
    EndSettings();
}

TEST_P(SettingsRoads, TheColourPopupOpensOverItsDialogAndEscapeClosesIt) {
    WriteTheme();
    const std::string back = SettingsThenAdvanced(kBackColourDialog);
    ASSERT_FALSE(back.empty());
    const std::string popup = OpenColourPopup(back);
    lvtest::ExpectSecondWindow(X(), *m_program, popup, back, Keyboard::taken, Shot("colour-popup"));
    ASSERT_FALSE(popup.empty());
    // A transient popup that stays over its dialog until it is done with.
    EXPECT_NE(X().Run("xprop -id " + popup + " _NET_WM_WINDOW_TYPE")
                  .find("_NET_WM_WINDOW_TYPE_POPUP_MENU"),
              std::string::npos);
    EscapeBackTo(popup, back);
    EscapeBackTo(back, m_settings);
    EndSettings();
}

// Resting on a colour of the popup brings its name up in a tool tip; the popup keeps the keyboard.
TEST_P(SettingsRoads, TheColourPopupsToolTipShowsOverIt) {
    WriteTheme();
    const std::string back = SettingsThenAdvanced(kBackColourDialog);
    ASSERT_FALSE(back.empty());
    const std::string popup = OpenColourPopup(back);
    ASSERT_FALSE(popup.empty()) << m_program->Output();
    ASSERT_TRUE(X().FocusComesTo(popup));
    const RECT cells = X().Geometry(popup);
    X().MoveTo((cells.left + cells.right) / 2, cells.top + (cells.bottom - cells.top) * 3 / 5);
    X().MoveBy(1, 0);
    const std::string tip = X().NewWindowOf(m_program->Pid(), {m_settings, back, popup});
    lvtest::ExpectSecondWindow(X(), *m_program, tip, popup, Keyboard::left, Shot("tool-tip"));
    EscapeBackTo(popup, back);
    EscapeBackTo(back, m_settings);
    EndSettings();
}

// "More Colors..." ends the popup's choice with the colour dialog: the popup is gone before the
// dialog comes, the dialog is on top with the keyboard, and closing it gives the keyboard back
// to the background colour dialog. OK there puts the picked colour on the button; Cancel keeps
// the one it had.
TEST_P(SettingsRoads, MoreColorsOpensTheColourDialogInPlaceOfThePopup) {
    WriteTheme();
    const std::string back = SettingsThenAdvanced(kBackColourDialog);
    ASSERT_FALSE(back.empty());
    const RECT button = OnScreen(X().Geometry(back), kColourButton);
    // The middle of the swatch, left of the button's arrow.
    const POINT swatch{button.left + (button.right - button.left) / 3,
                       (button.top + button.bottom) / 2};
    struct Ending {
        const char* how;
        RECT cell;  // picked in the colour dialog
        RECT close; // the colour dialog's button that ends it
        COLORREF on_the_button;
    };
    // Cancel picks another colour first: it must not reach the button.
    const Ending endings[] = {
        {"ok", kColourDialogRedCell, kColourDialogOk, kColourDialogRed},
        {"cancel", kColourDialogYellowCell, kColourDialogCancel, kColourDialogRed},
    };
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.how);
        const std::string popup = OpenColourPopup(back);
        ASSERT_FALSE(popup.empty()) << m_program->Output();
        ASSERT_TRUE(X().FocusComesTo(popup)) << "the keyboard is with " << X().Focused();
        X().Key("Up Down Return"); // the last cell, then "More Colors..." below it
        const std::string colour = X().WindowNamed(m_program->Pid(), "Color", 30);
        EXPECT_TRUE(X().WindowGone(m_program->Pid(), popup)) << "the popup stayed over it";
        lvtest::ExpectSecondWindow(X(), *m_program, colour, back, Keyboard::taken,
                                   Shot(std::string("more-colours-") + ending.how));
        ASSERT_FALSE(colour.empty());
        const RECT dialog = X().Geometry(colour);
        ClickAt(OnScreen(dialog, ending.cell));
        ClickAt(OnScreen(dialog, ending.close));
        lvtest::ExpectClosedBackTo(X(), *m_program, colour, back);
        long shown = -1;
        EXPECT_TRUE(lvtest::Eventually([&] {
            return (shown = X().Pixel(swatch.x, swatch.y)) == Rgb(ending.on_the_button);
        })) << "the button shows "
            << std::hex << shown;
    }
    EscapeBackTo(back, m_settings);
    EndSettings();
}

// The add buttons of the music and media dialogs open the file dialog over them; Escape gives
// the keyboard back to the dialog, which then closes as usual.
TEST_P(SettingsRoads, TheFileDialogsOfTheMediaAndMusicDialogs) {
    WriteTheme();
    ASSERT_FALSE(StartSettings().empty());
    ShowAdvancedPage();
    struct Road {
        AdvancedDialog advanced;
        RECT add;
        const char* shot;
    };
    const Road roads[] = {
        {kMusicDialog, kMusicAdd, "music-file-dialog"},
        {kMediaDialog, kMediaAdd, "media-file-dialog"},
    };
    for (const Road& road : roads) {
        SCOPED_TRACE(road.advanced.title);
        const std::string dialog = OpenAdvanced(road.advanced);
        ASSERT_FALSE(dialog.empty());
        ClickAt(OnScreen(X().Geometry(dialog), road.add));
        const std::string open = X().WindowNamed(m_program->Pid(), "Open", 30);
        lvtest::ExpectSecondWindow(X(), *m_program, open, dialog, Keyboard::taken, Shot(road.shot));
        ASSERT_FALSE(open.empty());
        EscapeBackTo(open, dialog);
        CloseAdvanced(road.advanced, dialog);
    }
    EndSettings();
}

// An interval of 99 is refused by a message box when the options page is read (a click on a
// check box); answered, the keyboard is back with the settings dialog.
TEST_P(SettingsRoads, AMessageBoxRefusesAnIntervalOf99) {
    WriteTheme();
    ASSERT_FALSE(StartSettings().empty());
    ClickAt(OnPage(m_frame, kIntervalEdit));
    X().Key("End BackSpace BackSpace BackSpace");
    X().Run("xdotool type 99");
    ClickAt(OnPage(m_frame, kMuteCheck));
    const std::string box = X().NewWindowOf(m_program->Pid(), {m_settings}, 30);
    lvtest::ExpectSecondWindow(X(), *m_program, box, m_settings, Keyboard::taken,
                               Shot("message-box"));
    ASSERT_FALSE(box.empty());
    X().Key("Return");
    lvtest::ExpectClosedBackTo(X(), *m_program, box, m_settings);
    EndSettings(false);
}

// A message box over the media dialog (a picture exported onto a file that is there, the
// question answered No by the keyboard or by a click) gives the keyboard back to the media
// dialog, not to the settings dialog under it: the media dialog is active again, for the
// manager and in its caption.
class MediaQuestionRoad : public SettingsRoads {
protected:
    void ExportOntoAFileThatIsThereAndAnswerNo(bool by_click) {
        const std::string answer = by_click ? "-click" : "-keys";
        WriteTheme();
        const fs::path existing = m_scratch / "exported.bmp";
        lvtest::WriteFileBytes(existing, {'B', 'M'});
        ASSERT_FALSE(StartSettings().empty());
        ShowAdvancedPage();
        const std::string media = OpenAdvanced(kMediaDialog);
        ASSERT_FALSE(media.empty());
        const RECT frame = X().Geometry(media);
        const POINT caption{frame.left + (frame.right - frame.left) * 2 / 3, frame.top + 10};
        const long active_caption = X().Pixel(caption.x, caption.y);

        const RECT list = OnScreen(frame, kMediaList);
        ClickAt(RECT{list.left, list.top, list.left + 200, list.top + 40}); // the theme's picture
        ClickAt(OnScreen(frame, kMediaExport));
        const std::string save = X().NewWindowOf(m_program->Pid(), {m_settings, media}, 30);
        lvtest::ExpectSecondWindow(X(), *m_program, save, media, Keyboard::taken,
                                   Shot("export-file-dialog" + answer));
        ASSERT_FALSE(save.empty());
        X().Run("xdotool type --delay 20 '" + existing.string() + "'");
        X().Key("Return");
        ASSERT_TRUE(X().WindowGone(m_program->Pid(), save)) << m_program->Output();
        const std::string box = X().NewWindowOf(m_program->Pid(), {m_settings, media}, 30);
        lvtest::ExpectSecondWindow(X(), *m_program, box, media, Keyboard::taken,
                                   Shot("export-question" + answer));
        ASSERT_FALSE(box.empty());
        EXPECT_TRUE(lvtest::Eventually([&] {
            return X().Pixel(caption.x, caption.y) != active_caption;
        })) << "the media dialog's caption stayed active under the message box";

        if (by_click) {
            // The message box centres its buttons: No is the right one of the two.
            const RECT b = X().Geometry(box);
            X().MoveTo((b.left + b.right) / 2 + 48, b.bottom - 35);
            X().Click();
        } else {
            X().Key("Tab space"); // No
        }
        lvtest::ExpectClosedBackTo(X(), *m_program, box, media);
        EXPECT_TRUE(lvtest::Eventually([&] {
            return X().Pixel(caption.x, caption.y) == active_caption;
        })) << "the media dialog's caption is not active";
        // "_NET_ACTIVE_WINDOW(WINDOW): window id # 0x200004"
        const auto manager_active = [&] {
            const std::string said = X().Run("xprop -root _NET_ACTIVE_WINDOW");
            const auto at = said.find("# ");
            return at == std::string::npos ? 0ul : std::strtoul(said.c_str() + at + 2, nullptr, 16);
        };
        if (GetParam() != WindowManager::none) {
            EXPECT_TRUE(lvtest::Eventually([&] {
                return manager_active() == std::strtoul(media.c_str(), nullptr, 10);
            })) << "the manager calls "
                << manager_active() << " active, not " << media;
        }
        X().Screenshot(lvtest::ScreenshotPath(Shot("export-answered" + answer) + ".png"));
        CancelBackTo(media, m_settings);
        EndSettings();
    }
};

TEST_P(MediaQuestionRoad, AnsweredByTheKeyboardGivesTheMediaDialogTheKeyboardBack) {
    ExportOntoAFileThatIsThereAndAnswerNo(false);
}

TEST_P(MediaQuestionRoad, AnsweredByAClickGivesTheMediaDialogTheKeyboardBack) {
    ExportOntoAFileThatIsThereAndAnswerNo(true);
}

INSTANTIATE_TEST_SUITE_P(Desktops, MediaQuestionRoad,
                         ::testing::ValuesIn(lvtest::kAllWindowManagers), lvtest::DesktopName);

INSTANTIATE_TEST_SUITE_P(Desktops, SettingsRoads, ::testing::ValuesIn(lvtest::kAllWindowManagers),
                         lvtest::DesktopName);

} // namespace
} // namespace saver_desktop
