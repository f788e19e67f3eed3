// Whether this machine has somewhere to play sound, asked before the sound library is opened:
// with no sound card and no sound server, opening it only fills the terminal with the audio
// system's complaints and fails anyway.
#pragma once

namespace lv::media {

// True when a sound server's socket or an audio playback device is there, or when the user
// chose the sound library's driver (SDL_AUDIODRIVER) and so takes what it says.
bool audio_output_present();

} // namespace lv::media
