#pragma once

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>

namespace control {

// How the window shows the run state. Polling and run control only decide what to show;
// the window owns the button and the banner animation.
struct RunStateDisplay {
    // Running: caption "Stop", animation visible and playing. Stopped: caption "Run",
    // animation hidden and still.
    std::function<void(bool running)> show;
    std::function<void(int frame)> setAnimationFrame;
};

// The banner animation is parked on this frame whenever the run state changes, so a stopped
// banner always looks the same.
inline constexpr int RestingAnimationFrame = 5;

// Polls are spaced this far apart, counted from the end of the previous poll.
inline constexpr std::chrono::milliseconds StatusPollInterval{1000};

QString RunStopCaption(bool running);

// The shot-counter label: "Count: " and the count right-aligned in ten characters.
QString ShotCountText(std::uint32_t count);

} // namespace control
