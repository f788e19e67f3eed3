// A transition on memory DCs: an old slide of one colour on the "screen", a new slide with a
// pattern in which every pixel differs from the old colour, and an observer that records the
// blits and the delays and can look at the screen at every delay.
#pragma once

#include "saver/transition_engine.h"
#include "system/clock.h"
#include "tests/platform/gdi/gdi_fixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace lv::transitions::testing {

using lv::gdi::testing::MemoryCanvas;

constexpr COLORREF kOldColour = RGB(1, 2, 3);
constexpr int kSaverStep = 20;
constexpr int kSaverDelayUnit = 1;

inline COLORREF new_pixel(int x, int y) {
    return RGB((x * 4) & 0xFF, (y * 5) & 0xFF, 77);
}

// Virtual milliseconds a delay of `ms` lasts: the tick count must move on by more than `ms`.
inline std::uint64_t delay_cost(int ms) {
    return ms > 0 ? static_cast<std::uint64_t>(ms) + 1 : 0;
}

class Recorder : public TransitionObserver {
public:
    void OnBlit(const TransitionBlit& blit) override { blits.push_back(blit); }
    void OnDelay(int milliseconds) override {
        delays.push_back(milliseconds);
        if (at_delay)
            at_delay(static_cast<int>(delays.size()));
    }

    std::uint64_t nominal_ms() const {
        std::uint64_t total = 0;
        for (int ms : delays)
            total += delay_cost(ms);
        return total;
    }
    std::vector<TransitionBlit> blits_onto(HDC target) const {
        std::vector<TransitionBlit> out;
        for (const auto& blit : blits)
            if (blit.target == target)
                out.push_back(blit);
        return out;
    }

    std::vector<TransitionBlit> blits;
    std::vector<int> delays;
    // Called at each delay (numbered from 1) before it waits.
    std::function<void(int)> at_delay;
};

// What the screen showed at one moment: each pixel either still the old colour, or the new
// slide's pixel from some place.
class Snapshot {
public:
    Snapshot(HDC dc, int width, int height) : m_width(width), m_height(height) {
        m_pixels.reserve(static_cast<std::size_t>(width * height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                m_pixels.push_back(GetPixel(dc, x, y));
    }
    COLORREF at(int x, int y) const { return m_pixels[static_cast<std::size_t>(y * m_width + x)]; }
    bool is_old(int x, int y) const { return at(x, y) == kOldColour; }
    bool is_new(int x, int y) const { return at(x, y) == new_pixel(x, y); }
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    int m_width;
    int m_height;
    std::vector<COLORREF> m_pixels;
};

// Two slides and a screen of the same size, and an engine set up as the saver window sets it.
class TransitionRig {
public:
    TransitionRig(int width, int height)
        : width(width), height(height), slide(width, height), screen(width, height, kOldColour) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                SetPixel(slide.dc, x, y, new_pixel(x, y));
        engine.observer = &recorder;
    }

    void set(int effect, int step = kSaverStep, int delayUnit = kSaverDelayUnit) {
        engine.effectId = effect;
        engine.SetParams(slide.dc, 0, 0, screen.dc, 0, 0, width, height, delayUnit, step);
    }

    // Runs the effect on this thread; returns the virtual milliseconds it took.
    std::uint64_t run(int effect, int step = kSaverStep, int delayUnit = kSaverDelayUnit) {
        set(effect, step, delayUnit);
        const auto start = lv::clock::now_ms();
        engine.RunEffect();
        return lv::clock::now_ms() - start;
    }

    Snapshot snapshot() const { return Snapshot(screen.dc, width, height); }
    std::vector<TransitionBlit> screen_blits() const { return recorder.blits_onto(screen.dc); }

    int width;
    int height;
    MemoryCanvas slide;
    MemoryCanvas screen;
    Recorder recorder;
    CTransitionEngine engine;
};

// Counts the pixels of the snapshot that are not the new slide's.
inline int pixels_not_new(const Snapshot& shot) {
    int count = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            count += shot.is_new(x, y) ? 0 : 1;
    return count;
}

} // namespace lv::transitions::testing
