// The mixer's one music stream: the audio device, loaded tracks, and a clock of the samples the
// mixer has produced for the current play. Not locked itself: the device table calls it under its
// own lock. The mixer thread touches only atomics, so it never waits for that lock.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

namespace lv::media {

struct Track;
struct TrackDeleter {
    void operator()(Track* track) const;
};
using TrackPtr = std::unique_ptr<Track, TrackDeleter>;

class MusicOutput {
public:
    MusicOutput() = default;
    ~MusicOutput();
    MusicOutput(const MusicOutput&) = delete;
    MusicOutput& operator=(const MusicOutput&) = delete;

    // Opens the audio device on first use; false while the host has none (retried next time).
    bool ensure_open();

    // A decoder for the file, or null when the mixer cannot decode it.
    TrackPtr load(const std::string& host_path);
    // Whole length in milliseconds, 0 when the decoder cannot tell.
    static std::uint32_t length_ms(const Track& track);
    // False where the length is read from the file and the decoder plays on past it (MIDI
    // players let notes ring out): such a play is stopped at the length by the clock.
    static bool decoder_stops_at_length(const Track& track);

    // Plays the track from from_ms; stops by itself after stop_ms (0: at the track's end).
    bool start(const Track& track, std::uint32_t from_ms, std::uint32_t stop_ms);
    void pause();
    void resume();
    void halt();

    // Milliseconds produced since the last start, and whether that play has run to its end.
    std::uint32_t played_ms() const;
    bool reached_end() const { return m_ended.load(); }

    // The window told when the current play ends; the mixer thread posts to it at the end.
    void arm_notify(void* hwnd, unsigned device);
    // Takes the pending notification back (null when none, or when the end already took it).
    void* disarm_notify();

private:
    static void post_mix_hook(void* self, std::uint8_t* stream, int length);
    static void music_finished_hook();
    void on_mixed(std::uint8_t* stream, int length);
    void end_of_play();

    bool m_open = false;
    int m_rate = 0;
    int m_frame_bytes = 0;
    std::atomic<std::uint64_t> m_frames{0};
    std::atomic<std::int64_t> m_stop_frames{-1};
    std::atomic<bool> m_ended{false};
    std::atomic<void*> m_notify_hwnd{nullptr};
    std::atomic<unsigned> m_notify_device{0};
    std::atomic<std::thread::id> m_halting_thread{};
};

} // namespace lv::media
