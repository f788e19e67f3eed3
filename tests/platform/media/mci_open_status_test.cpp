#include "system/paths.h"
#include "tests/platform/media/mci_test_support.h"
#include "tests/platform/media/tone_track.h"
#include "tests/support/scratch_dir.h"
#include "win32/media.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

using lvtest::open_track;
using lvtest::status_item;

class MciOpenTest : public ::testing::Test {
protected:
    std::string tone(const std::string& name, std::uint32_t ms = 400) {
        std::filesystem::path path = m_dir / name;
        lvtest::write_tone_wav(path, {.milliseconds = ms});
        return path.string();
    }
    lvtest::ScratchDir m_dir;
};

struct OpenCase {
    const char* name;
    DWORD flags;
    const char* type;
    const char* element; // "@" stands for a track that exists, "#" for a file that is no music
    MCIERROR expected;
};

TEST_F(MciOpenTest, RejectsWhatItCannotOpenAndLeavesTheIdAlone) {
    std::string good = tone("good.wav");
    std::filesystem::path text = m_dir / "notes.mp3";
    std::ofstream(text) << "these are words, not sound";
    const OpenCase cases[] = {
        {"no type", MCI_OPEN_ELEMENT, nullptr, "@", MCIERR_DEVICE_TYPE_REQUIRED},
        {"other device type", MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, "waveaudio", "@",
         MCIERR_INVALID_DEVICE_NAME},
        {"null device type", MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, nullptr, "@",
         MCIERR_INVALID_DEVICE_NAME},
        {"type by number", MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT, "MPEGVideo", "@",
         MCIERR_INVALID_DEVICE_NAME},
        {"no element", MCI_OPEN_TYPE, "MPEGVideo", nullptr, MCIERR_FILENAME_REQUIRED},
        {"empty element", MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, "MPEGVideo", "",
         MCIERR_FILENAME_REQUIRED},
        {"missing file", MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, "MPEGVideo", "C:\\no\\such.mp3",
         MCIERR_FILE_NOT_FOUND},
        {"other drive", MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, "MPEGVideo", "Q:\\x.wav",
         MCIERR_FILE_NOT_FOUND},
        {"a folder", MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, "MPEGVideo", "C:\\WINDOWS",
         MCIERR_FILE_NOT_FOUND},
        {"not music", MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, "MPEGVideo", "#", MCIERR_INVALID_FILE},
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string element = !c.element                      ? ""
                              : c.element == std::string("@") ? good
                              : c.element == std::string("#") ? text.string()
                                                              : c.element;
        MCI_OPEN_PARMSA parms{};
        parms.wDeviceID = 77;
        parms.lpstrDeviceType = c.type;
        parms.lpstrElementName = c.element ? element.c_str() : nullptr;
        EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, c.flags, reinterpret_cast<DWORD_PTR>(&parms)),
                  c.expected);
        EXPECT_EQ(parms.wDeviceID, 77u);
    }
    EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, 0),
              MCIERR_NULL_PARAMETER_BLOCK);
}

TEST_F(MciOpenTest, OpensThroughTheDriveMappingAndReportsLengthAndStoppedMode) {
    std::filesystem::path host = std::filesystem::path(lv::drive_c_folder()) / "Music" / "Tone.wav";
    lvtest::write_tone_wav(host, {.milliseconds = 400});

    MCI_OPEN_PARMSA parms{};
    parms.lpstrDeviceType = "mpegvideo"; // device names match without regard to case
    parms.lpstrElementName = "c:\\MUSIC\\tone.WAV";
    ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, 0x2200, reinterpret_cast<DWORD_PTR>(&parms)), 0u);
    MCIDEVICEID id = parms.wDeviceID;
    ASSERT_NE(id, 0u);

    EXPECT_NEAR(static_cast<double>(status_item(id, MCI_STATUS_LENGTH)), 400.0, 2.0);
    EXPECT_EQ(status_item(id, MCI_STATUS_MODE), MCI_MODE_STOP);
    EXPECT_EQ(status_item(id, MCI_STATUS_POSITION), 0u);
    EXPECT_EQ(status_item(id, MCI_STATUS_READY), static_cast<DWORD_PTR>(TRUE));
    EXPECT_EQ(status_item(id, MCI_STATUS_TIME_FORMAT), MCI_FORMAT_MILLISECONDS);

    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_LENGTH;
    EXPECT_EQ(mciSendCommandA(id, MCI_STATUS, 0, reinterpret_cast<DWORD_PTR>(&status)),
              MCIERR_MISSING_PARAMETER);
    EXPECT_EQ(mciSendCommandA(id, MCI_STATUS, MCI_STATUS_ITEM, 0), MCIERR_NULL_PARAMETER_BLOCK);
    status.dwItem = 0x4000;
    EXPECT_EQ(
        mciSendCommandA(id, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)),
        MCIERR_UNSUPPORTED_FUNCTION);

    MCI_SET_PARMS set{};
    set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    EXPECT_EQ(mciSendCommandA(id, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set)),
              0u);
    set.dwTimeFormat = MCI_FORMAT_FRAMES;
    EXPECT_EQ(mciSendCommandA(id, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set)),
              MCIERR_BAD_TIME_FORMAT);
    EXPECT_EQ(mciSendCommandA(id, MCI_SET, MCI_SET_AUDIO | MCI_SET_OFF,
                              reinterpret_cast<DWORD_PTR>(&set)),
              MCIERR_UNSUPPORTED_FUNCTION);

    EXPECT_EQ(lvtest::simple_command(id, MCI_CLOSE), 0u);
}

TEST_F(MciOpenTest, ClosedAndUnknownDevicesFailCleanly) {
    MCIDEVICEID id = 0;
    ASSERT_EQ(open_track(tone("a.wav"), id), 0u);
    MCIDEVICEID other = 0;
    ASSERT_EQ(open_track(tone("b.wav"), other), 0u);
    EXPECT_NE(id, other);

    EXPECT_EQ(lvtest::simple_command(id, 0x0999), MCIERR_UNRECOGNIZED_COMMAND);
    EXPECT_EQ(lvtest::simple_command(id, MCI_INFO), MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(lvtest::simple_command(id, MCI_PLAY, MCI_WAIT), MCIERR_UNSUPPORTED_FUNCTION);
    EXPECT_EQ(lvtest::simple_command(MCI_ALL_DEVICE_ID, MCI_PLAY), MCIERR_CANNOT_USE_ALL);
    ASSERT_EQ(lvtest::simple_command(id, MCI_CLOSE), 0u);

    for (UINT message :
         {MCI_PLAY, MCI_PAUSE, MCI_RESUME, MCI_STOP, MCI_SEEK, MCI_STATUS, MCI_SET, MCI_CLOSE}) {
        SCOPED_TRACE(message);
        EXPECT_EQ(lvtest::simple_command(id, message), MCIERR_INVALID_DEVICE_ID);
        EXPECT_EQ(lvtest::simple_command(0, message), MCIERR_INVALID_DEVICE_ID);
    }
    // A newly opened device never takes the id of the one just closed.
    MCIDEVICEID again = 0;
    ASSERT_EQ(open_track(tone("c.wav"), again), 0u);
    EXPECT_NE(again, id);
    EXPECT_EQ(status_item(other, MCI_STATUS_MODE), MCI_MODE_STOP);

    EXPECT_EQ(lvtest::simple_command(MCI_ALL_DEVICE_ID, MCI_CLOSE), 0u);
    EXPECT_EQ(lvtest::simple_command(other, MCI_STATUS), MCIERR_INVALID_DEVICE_ID);
    EXPECT_EQ(lvtest::simple_command(again, MCI_STATUS), MCIERR_INVALID_DEVICE_ID);
}

TEST(MciErrorText, KnownCodesHaveTextAndLongTextIsCut) {
    char text[128];
    EXPECT_TRUE(mciGetErrorStringA(MCIERR_FILE_NOT_FOUND, text, sizeof text));
    EXPECT_STRNE(text, "");
    EXPECT_TRUE(mciGetErrorStringA(MCIERR_CANNOT_LOAD_DRIVER, text, sizeof text));
    EXPECT_STRNE(text, "");

    char small[6];
    std::memset(small, 'x', sizeof small);
    EXPECT_TRUE(mciGetErrorStringA(MCIERR_INVALID_FILE, small, sizeof small));
    EXPECT_EQ(std::strlen(small), 5u);

    EXPECT_FALSE(mciGetErrorStringA(12345, text, sizeof text));
    EXPECT_STREQ(text, "");
    EXPECT_FALSE(mciGetErrorStringA(MCIERR_FILE_NOT_FOUND, nullptr, 10));
    EXPECT_FALSE(mciGetErrorStringA(MCIERR_FILE_NOT_FOUND, text, 0));
}

} // namespace
