// The open MCI devices of the process: one per opened file, all sharing the mixer's one music
// stream. Playing a device takes the stream from whichever device had it; that one stops where
// it was, as after MCI_STOP.
#pragma once

#include "media/music_output.h"
#include "win32/media.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

namespace lv::media {

class MciDevices {
public:
    static MciDevices& instance();

    MCIERROR send(MCIDEVICEID id, UINT message, DWORD_PTR flags, DWORD_PTR params);

private:
    enum class Mode { Stopped, Playing, Paused };

    struct Device {
        TrackPtr track;
        std::uint32_t length_ms = 0;
        bool decoder_stops_at_length = true;
        std::uint32_t position_ms = 0; // while the device does not hold the stream
        Mode mode = Mode::Stopped;
        std::uint32_t play_from_ms = 0; // the current play, while the device holds the stream
        std::uint32_t play_end_ms = 0;  // 0 when the length is unknown and no end was given
    };

    struct Notice {
        void* hwnd;
        WPARAM flag;
        MCIDEVICEID device;
    };
    using Notices = std::vector<Notice>;

    MCIERROR dispatch(MCIDEVICEID id, UINT message, DWORD flags, DWORD_PTR params, Notices& out);
    MCIERROR open(DWORD flags, MCI_OPEN_PARMSA* parms, Notices& out);
    MCIERROR close(MCIDEVICEID id, Notices& out);
    MCIERROR play(MCIDEVICEID id, Device& device, DWORD flags, const MCI_PLAY_PARMS* parms,
                  Notices& out);
    MCIERROR pause(MCIDEVICEID id, Device& device);
    MCIERROR resume(MCIDEVICEID id, Device& device);
    MCIERROR stop(MCIDEVICEID id, Device& device, Notices& out);
    MCIERROR seek(MCIDEVICEID id, Device& device, DWORD flags, const MCI_SEEK_PARMS* parms,
                  Notices& out);
    MCIERROR status(MCIDEVICEID id, const Device& device, DWORD flags,
                    MCI_STATUS_PARMS* parms) const;
    static MCIERROR set(DWORD flags, const MCI_SET_PARMS* parms);

    // Takes in an end of play that the mixer thread reached since the last command.
    void settle_end_of_play();
    // The stream's holder stops where it is; its pending notification gets `why`.
    void stop_stream_holder(WPARAM why, Notices& out);
    std::uint32_t position(MCIDEVICEID id, const Device& device) const;
    MCIDEVICEID next_free_id();

    std::mutex m_lock;
    MusicOutput m_output; // declared before the devices: their tracks go first
    std::map<MCIDEVICEID, Device> m_devices;
    MCIDEVICEID m_stream_holder = 0;
    MCIDEVICEID m_last_id = 0;
};

} // namespace lv::media
