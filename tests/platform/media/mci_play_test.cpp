#include "media/notify_poster.h"
#include "tests/platform/media/mci_test_support.h"
#include "tests/platform/media/tone_track.h"
#include "tests/support/scratch_dir.h"
#include "win32/media.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using lvtest::play;
using lvtest::simple_command;
using lvtest::status_item;
using lvtest::wait_until;

class MciPlayTest : public ::testing::Test {
protected:
    MCIDEVICEID open_tone(const std::string& name, std::uint32_t ms) {
        std::filesystem::path path = m_dir / name;
        lvtest::write_tone_wav(path, {.milliseconds = ms});
        MCIDEVICEID id = 0;
        EXPECT_EQ(lvtest::open_track(path.string(), id), 0u);
        return id;
    }
    void TearDown() override { simple_command(MCI_ALL_DEVICE_ID, MCI_CLOSE); }

    DWORD_PTR mode(MCIDEVICEID id) { return status_item(id, MCI_STATUS_MODE); }
    DWORD_PTR position(MCIDEVICEID id) { return status_item(id, MCI_STATUS_POSITION); }
    DWORD_PTR length(MCIDEVICEID id) { return status_item(id, MCI_STATUS_LENGTH); }
    bool stopped(MCIDEVICEID id) {
        return wait_until([&] { return mode(id) == MCI_MODE_STOP; });
    }

    lvtest::ScratchDir m_dir;
    lvtest::NoticeRecorder m_recorder;
};

MCIERROR seek(MCIDEVICEID id, DWORD flags, DWORD to = 0) {
    MCI_SEEK_PARMS parms{};
    parms.dwTo = to;
    return mciSendCommandA(id, MCI_SEEK, flags, reinterpret_cast<DWORD_PTR>(&parms));
}

TEST_F(MciPlayTest, PlaysToTheEndAndNotifiesOnce) {
    MCIDEVICEID id = open_tone("tone.wav", 500);
    void* window = lvtest::fake_window(1);
    ASSERT_EQ(play(id, MCI_NOTIFY, 0, 0, window), 0u);
    EXPECT_EQ(mode(id), MCI_MODE_PLAY);
    ASSERT_TRUE(wait_until([&] { return position(id) > 0; }));
    EXPECT_LT(position(id), length(id));

    ASSERT_TRUE(stopped(id));
    // The end reads as the whole length, which is what an end-of-track poll compares with.
    EXPECT_EQ(position(id), length(id));
    ASSERT_TRUE(m_recorder.wait_for(1));
    // Mixed on past the end, the play has had every chance to tell of it twice.
    ASSERT_TRUE(lvtest::wait_for_mixed(std::chrono::milliseconds(100)));
    auto notices = m_recorder.notices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].hwnd, window);
    EXPECT_EQ(notices[0].msg, MM_MCINOTIFY);
    EXPECT_EQ(notices[0].wparam, MCI_NOTIFY_SUCCESSFUL);
    EXPECT_EQ(notices[0].lparam, static_cast<std::intptr_t>(id));

    // Playing again at the end has nothing left to play: it ends at once.
    ASSERT_EQ(play(id, MCI_NOTIFY, 0, 0, window), 0u);
    EXPECT_EQ(mode(id), MCI_MODE_STOP);
    ASSERT_TRUE(m_recorder.wait_for(2));
    EXPECT_EQ(m_recorder.notices()[1].wparam, MCI_NOTIFY_SUCCESSFUL);
}

TEST_F(MciPlayTest, PauseFreezesThePositionAndPlayResumesIt) {
    MCIDEVICEID id = open_tone("tone.wav", 900);
    ASSERT_EQ(play(id), 0u);
    ASSERT_TRUE(wait_until([&] { return position(id) >= 100; }));
    ASSERT_EQ(simple_command(id, MCI_PAUSE), 0u);
    EXPECT_EQ(mode(id), MCI_MODE_PAUSE);
    DWORD_PTR held = position(id);
    ASSERT_TRUE(lvtest::wait_for_mixed(std::chrono::milliseconds(150)));
    EXPECT_EQ(position(id), held);
    EXPECT_EQ(mode(id), MCI_MODE_PAUSE);

    // Play without a start point goes on from the pause.
    ASSERT_EQ(play(id), 0u);
    EXPECT_EQ(mode(id), MCI_MODE_PLAY);
    EXPECT_GE(position(id), held);
    EXPECT_LT(position(id), held + 250);
    ASSERT_TRUE(wait_until([&] { return position(id) > held; }));

    ASSERT_EQ(simple_command(id, MCI_PAUSE), 0u);
    ASSERT_EQ(simple_command(id, MCI_RESUME), 0u);
    EXPECT_EQ(mode(id), MCI_MODE_PLAY);
    ASSERT_TRUE(stopped(id));
    EXPECT_EQ(position(id), length(id));
}

TEST_F(MciPlayTest, SeekMovesThePositionAndStops) {
    MCIDEVICEID id = open_tone("tone.wav", 800);
    ASSERT_EQ(seek(id, MCI_TO, 600), 0u);
    EXPECT_EQ(position(id), 600u);
    EXPECT_EQ(mode(id), MCI_MODE_STOP);

    ASSERT_EQ(play(id), 0u);
    EXPECT_GE(position(id), 600u);
    ASSERT_TRUE(stopped(id));
    EXPECT_EQ(position(id), length(id));

    ASSERT_EQ(seek(id, MCI_SEEK_TO_START), 0u);
    EXPECT_EQ(position(id), 0u);
    ASSERT_EQ(seek(id, MCI_SEEK_TO_END), 0u);
    EXPECT_EQ(position(id), length(id));

    // A seek while playing stops the play where the seek goes, and aborts its notification.
    void* window = lvtest::fake_window(2);
    ASSERT_EQ(play(id, MCI_NOTIFY | MCI_FROM, 0, 0, window), 0u);
    ASSERT_EQ(seek(id, MCI_TO, 300), 0u);
    EXPECT_EQ(mode(id), MCI_MODE_STOP);
    EXPECT_EQ(position(id), 300u);
    ASSERT_TRUE(m_recorder.wait_for(1));
    EXPECT_EQ(m_recorder.notices()[0].wparam, MCI_NOTIFY_ABORTED);

    EXPECT_EQ(seek(id, MCI_TO, static_cast<DWORD>(length(id)) + 1), MCIERR_OUTOFRANGE);
    EXPECT_EQ(seek(id, 0), MCIERR_MISSING_PARAMETER);
    EXPECT_EQ(seek(id, MCI_SEEK_TO_START | MCI_SEEK_TO_END), MCIERR_FLAGS_NOT_COMPATIBLE);
    EXPECT_EQ(mciSendCommandA(id, MCI_SEEK, MCI_TO, 0), MCIERR_NULL_PARAMETER_BLOCK);
    EXPECT_EQ(position(id), 300u);
}

TEST_F(MciPlayTest, PlayFromToStopsAtTheEndPointAndNotifies) {
    MCIDEVICEID id = open_tone("tone.wav", 800);
    void* window = lvtest::fake_window(3);
    ASSERT_EQ(play(id, MCI_NOTIFY | MCI_FROM | MCI_TO, 200, 400, window), 0u);
    EXPECT_GE(position(id), 200u);
    ASSERT_TRUE(stopped(id));
    EXPECT_EQ(position(id), 400u);
    ASSERT_TRUE(m_recorder.wait_for(1));
    EXPECT_EQ(m_recorder.notices()[0].wparam, MCI_NOTIFY_SUCCESSFUL);

    // From there a plain play runs on to the end of the track.
    ASSERT_EQ(play(id), 0u);
    ASSERT_TRUE(stopped(id));
    EXPECT_EQ(position(id), length(id));

    const DWORD len = static_cast<DWORD>(length(id));
    EXPECT_EQ(play(id, MCI_FROM, len + 1), MCIERR_OUTOFRANGE);
    EXPECT_EQ(play(id, MCI_FROM | MCI_TO, 0, len + 1), MCIERR_OUTOFRANGE);
    EXPECT_EQ(play(id, MCI_FROM | MCI_TO, 300, 200), MCIERR_OUTOFRANGE);
    EXPECT_EQ(mciSendCommandA(id, MCI_PLAY, MCI_NOTIFY, 0), MCIERR_NULL_PARAMETER_BLOCK);
    EXPECT_EQ(m_recorder.notices().size(), 1u);
}

TEST_F(MciPlayTest, StopAbortsThePendingNotificationAndKeepsThePosition) {
    MCIDEVICEID id = open_tone("tone.wav", 600);
    void* window = lvtest::fake_window(4);
    ASSERT_EQ(play(id, MCI_NOTIFY, 0, 0, window), 0u);
    ASSERT_TRUE(wait_until([&] { return position(id) >= 50; }));
    ASSERT_EQ(simple_command(id, MCI_STOP), 0u);
    EXPECT_EQ(mode(id), MCI_MODE_STOP);
    DWORD_PTR held = position(id);
    EXPECT_GE(held, 50u);
    EXPECT_LT(held, length(id));

    // The mixer runs on past where the track would have ended.
    ASSERT_TRUE(lvtest::wait_for_mixed(std::chrono::milliseconds(650)));
    EXPECT_EQ(position(id), held);
    auto notices = m_recorder.notices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].wparam, MCI_NOTIFY_ABORTED);

    // A new play with notify supersedes the pending one; close aborts the second.
    ASSERT_EQ(play(id, MCI_NOTIFY, 0, 0, window), 0u);
    ASSERT_EQ(play(id, MCI_NOTIFY | MCI_FROM, 0, 0, window), 0u);
    ASSERT_EQ(simple_command(id, MCI_CLOSE), 0u);
    notices = m_recorder.notices();
    ASSERT_EQ(notices.size(), 3u);
    EXPECT_EQ(notices[1].wparam, MCI_NOTIFY_SUPERSEDED);
    EXPECT_EQ(notices[2].wparam, MCI_NOTIFY_ABORTED);
}

TEST_F(MciPlayTest, CommandsWithNotifyReportTheirOwnSuccess) {
    MCIDEVICEID id = open_tone("tone.wav", 400);
    MCI_GENERIC_PARMS parms{reinterpret_cast<DWORD_PTR>(lvtest::fake_window(5))};
    ASSERT_EQ(mciSendCommandA(id, MCI_STOP, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&parms)), 0u);
    ASSERT_EQ(mciSendCommandA(id, MCI_CLOSE, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&parms)), 0u);
    auto notices = m_recorder.notices();
    ASSERT_EQ(notices.size(), 2u);
    for (const auto& notice : notices) {
        EXPECT_EQ(notice.wparam, MCI_NOTIFY_SUCCESSFUL);
        EXPECT_EQ(notice.lparam, static_cast<std::intptr_t>(id));
    }
}

TEST_F(MciPlayTest, ANullWindowOrNoPosterGetsNoNotification) {
    MCIDEVICEID id = open_tone("tone.wav", 200);
    ASSERT_EQ(play(id, MCI_NOTIFY, 0, 0, nullptr), 0u);
    ASSERT_TRUE(stopped(id));
    EXPECT_TRUE(m_recorder.notices().empty());

    lv::media::set_notify_poster(nullptr);
    ASSERT_EQ(play(id, MCI_NOTIFY | MCI_FROM, 0, 0, lvtest::fake_window(6)), 0u);
    ASSERT_TRUE(stopped(id));
    EXPECT_TRUE(m_recorder.notices().empty());
}

TEST_F(MciPlayTest, PlayingASecondDeviceStopsTheFirstWhereItWas) {
    MCIDEVICEID first = open_tone("first.wav", 900);
    MCIDEVICEID second = open_tone("second.wav", 300);
    void* window = lvtest::fake_window(7);
    ASSERT_EQ(play(first, MCI_NOTIFY, 0, 0, window), 0u);
    ASSERT_TRUE(wait_until([&] { return position(first) >= 50; }));
    ASSERT_EQ(play(second), 0u);
    EXPECT_EQ(mode(first), MCI_MODE_STOP);
    EXPECT_EQ(mode(second), MCI_MODE_PLAY);
    DWORD_PTR held = position(first);
    ASSERT_TRUE(m_recorder.wait_for(1));
    EXPECT_EQ(m_recorder.notices()[0].wparam, MCI_NOTIFY_ABORTED);
    EXPECT_EQ(m_recorder.notices()[0].lparam, static_cast<std::intptr_t>(first));

    ASSERT_TRUE(stopped(second));
    EXPECT_EQ(position(second), length(second));
    EXPECT_EQ(position(first), held);

    // The first goes on from where it was stopped.
    ASSERT_EQ(play(first), 0u);
    EXPECT_GE(position(first), held);
    EXPECT_EQ(mode(second), MCI_MODE_STOP);
}

TEST_F(MciPlayTest, QueriesFromOtherThreadsWhilePlayingAreSafe) {
    MCIDEVICEID id = open_tone("tone.wav", 400);
    std::atomic<bool> done{false};
    std::atomic<int> backwards{0};
    std::vector<std::thread> readers;
    for (int i = 0; i < 3; ++i) {
        readers.emplace_back([&] {
            DWORD_PTR last = 0;
            while (!done.load()) {
                DWORD_PTR now = position(id);
                if (now < last && mode(id) == MCI_MODE_PLAY)
                    backwards.fetch_add(1);
                last = now;
            }
        });
    }
    ASSERT_EQ(play(id), 0u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(lvtest::wait_for_mixed(std::chrono::milliseconds(20)));
        simple_command(id, MCI_PAUSE);
        simple_command(id, MCI_RESUME);
    }
    EXPECT_TRUE(stopped(id));
    done.store(true);
    for (auto& reader : readers)
        reader.join();
    EXPECT_EQ(backwards.load(), 0);
    EXPECT_EQ(position(id), length(id));
}

} // namespace
