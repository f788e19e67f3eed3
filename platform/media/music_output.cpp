#include "media/music_output.h"

#include "media/audio_device.h"
#include "media/midi_length.h"
#include "media/notify_poster.h"
#include "win32/media.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <vector>

namespace lv::media {

struct Track {
    Mix_Music* music = nullptr;
    std::string host_path;
};

void TrackDeleter::operator()(Track* track) const {
    if (track && track->music)
        Mix_FreeMusic(track->music);
    delete track;
}

namespace {

constexpr int kOutputRate = 44100;
constexpr int kOutputChannels = 2;
constexpr int kChunkFrames = 1024;

constexpr std::uintmax_t kLargestMidiFile = 16u << 20;

// The mixer's end-of-music hook takes no user data.
std::atomic<MusicOutput*> g_output{nullptr};

std::uint32_t midi_file_length_ms(const std::string& host_path) {
    std::error_code error;
    std::uintmax_t size = std::filesystem::file_size(host_path, error);
    if (error || size == 0 || size > kLargestMidiFile)
        return 0;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::ifstream file(host_path, std::ios::binary);
    if (!file.read(reinterpret_cast<char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size())))
        return 0;
    return midi_length_ms(bytes).value_or(0);
}

} // namespace

MusicOutput::~MusicOutput() {
    if (!m_open)
        return;
    Mix_HookMusicFinished(nullptr);
    Mix_SetPostMix(nullptr, nullptr);
    Mix_HaltMusic();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    g_output.store(nullptr);
}

bool MusicOutput::ensure_open() {
    if (m_open)
        return true;
    if (!audio_output_present())
        return false;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    // Codecs that fail to load here only make their files fail to open.
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG | MIX_INIT_MID);
    if (Mix_OpenAudio(kOutputRate, AUDIO_S16SYS, kOutputChannels, kChunkFrames) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    m_rate = rate > 0 ? rate : kOutputRate;
    m_frame_bytes = static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8) * (channels > 0 ? channels : 1);
    if (m_frame_bytes <= 0)
        m_frame_bytes = 1;
    g_output.store(this);
    Mix_SetPostMix(&MusicOutput::post_mix_hook, this);
    Mix_HookMusicFinished(&MusicOutput::music_finished_hook);
    m_open = true;
    return true;
}

TrackPtr MusicOutput::load(const std::string& host_path) {
    Mix_Music* music = Mix_LoadMUS(host_path.c_str());
    if (!music)
        return nullptr;
    return TrackPtr(new Track{music, host_path});
}

std::uint32_t MusicOutput::length_ms(const Track& track) {
    double seconds = Mix_MusicDuration(track.music);
    if (!(seconds > 0.0))
        return Mix_GetMusicType(track.music) == MUS_MID ? midi_file_length_ms(track.host_path) : 0;
    double ms = std::round(seconds * 1000.0);
    if (ms >= static_cast<double>(std::numeric_limits<std::uint32_t>::max()))
        return std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(ms);
}

bool MusicOutput::decoder_stops_at_length(const Track& track) {
    return Mix_GetMusicType(track.music) != MUS_MID;
}

bool MusicOutput::start(const Track& track, std::uint32_t from_ms, std::uint32_t stop_ms) {
    halt();
    m_frames.store(0);
    m_ended.store(false);
    m_stop_frames.store(
        stop_ms > from_ms ? static_cast<std::int64_t>(stop_ms - from_ms) * m_rate / 1000 : -1);
    int result = from_ms == 0 ? Mix_PlayMusic(track.music, 0)
                              : Mix_FadeInMusicPos(track.music, 0, 0, from_ms / 1000.0);
    if (result == 0)
        return true;
    m_stop_frames.store(-1);
    return false;
}

void MusicOutput::pause() {
    Mix_PauseMusic();
}

void MusicOutput::resume() {
    Mix_ResumeMusic();
}

void MusicOutput::halt() {
    // The mixer calls its end-of-music hook from inside the halt too: that is no end of play.
    m_halting_thread.store(std::this_thread::get_id());
    Mix_HaltMusic();
    m_halting_thread.store(std::thread::id{});
}

std::uint32_t MusicOutput::played_ms() const {
    if (m_rate <= 0)
        return 0;
    std::uint64_t ms = m_frames.load() * 1000 / static_cast<std::uint64_t>(m_rate);
    return ms > std::numeric_limits<std::uint32_t>::max()
               ? std::numeric_limits<std::uint32_t>::max()
               : static_cast<std::uint32_t>(ms);
}

void MusicOutput::arm_notify(void* hwnd, unsigned device) {
    m_notify_device.store(device);
    m_notify_hwnd.store(hwnd);
}

void* MusicOutput::disarm_notify() {
    return m_notify_hwnd.exchange(nullptr);
}

void MusicOutput::post_mix_hook(void* self, std::uint8_t* stream, int length) {
    static_cast<MusicOutput*>(self)->on_mixed(stream, length);
}

void MusicOutput::music_finished_hook() {
    MusicOutput* output = g_output.load();
    if (!output || output->m_halting_thread.load() == std::this_thread::get_id())
        return;
    output->end_of_play();
}

// Runs on the mixer thread with the audio device locked, right after the music was mixed into
// the buffer, so the playing/paused state seen here is the one this buffer was made with.
void MusicOutput::on_mixed(std::uint8_t* stream, int length) {
    if (!Mix_PlayingMusic() || Mix_PausedMusic() || length <= 0)
        return;
    std::uint64_t frames = static_cast<std::uint64_t>(length / m_frame_bytes);
    std::uint64_t before = m_frames.load();
    std::int64_t stop = m_stop_frames.load();
    if (stop < 0 || before + frames < static_cast<std::uint64_t>(stop)) {
        m_frames.store(before + frames);
        return;
    }
    std::uint64_t keep =
        static_cast<std::uint64_t>(stop) > before ? static_cast<std::uint64_t>(stop) - before : 0;
    std::size_t kept_bytes =
        static_cast<std::size_t>(keep) * static_cast<std::size_t>(m_frame_bytes);
    // Zero is silence: the device keeps the signed 16-bit format it was opened with.
    std::memset(stream + kept_bytes, 0, static_cast<std::size_t>(length) - kept_bytes);
    m_frames.store(before + keep);
    m_stop_frames.store(-1);
    Mix_PauseMusic();
    end_of_play();
}

void MusicOutput::end_of_play() {
    m_ended.store(true);
    void* hwnd = m_notify_hwnd.exchange(nullptr);
    if (hwnd)
        post_notify(hwnd, MCI_NOTIFY_SUCCESSFUL, m_notify_device.load());
}

} // namespace lv::media
