#include "media/mci_devices.h"

#include "media/notify_poster.h"
#include "system/paths.h"

#include <algorithm>
#include <filesystem>

namespace lv::media {

namespace {

constexpr const char* kDeviceType = "MPEGVideo";

template <typename Parms> Parms* block(DWORD_PTR params) {
    return reinterpret_cast<Parms*>(params);
}

void* callback_window(DWORD_PTR params) {
    return reinterpret_cast<void*>(block<MCI_GENERIC_PARMS>(params)->dwCallback);
}

bool is_file(const std::string& host_path) {
    std::error_code error;
    return !host_path.empty() && std::filesystem::is_regular_file(host_path, error);
}

} // namespace

MciDevices& MciDevices::instance() {
    static MciDevices devices;
    return devices;
}

MCIERROR MciDevices::send(MCIDEVICEID id, UINT message, DWORD_PTR flags, DWORD_PTR params) {
    Notices notices;
    MCIERROR result = 0;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        result = dispatch(id, message, static_cast<DWORD>(flags), params, notices);
    }
    // Posted outside the lock: a window manager that takes its own locks cannot wait on ours.
    for (const Notice& notice : notices)
        post_notify(notice.hwnd, notice.flag, notice.device);
    return result;
}

MCIERROR MciDevices::dispatch(MCIDEVICEID id, UINT message, DWORD flags, DWORD_PTR params,
                              Notices& out) {
    settle_end_of_play();
    if (message == MCI_OPEN)
        return open(flags, block<MCI_OPEN_PARMSA>(params), out);
    if (message == MCI_CLOSE && id == MCI_ALL_DEVICE_ID) {
        while (!m_devices.empty())
            close(m_devices.begin()->first, out);
        return 0;
    }
    if (id == MCI_ALL_DEVICE_ID)
        return MCIERR_CANNOT_USE_ALL;
    auto found = m_devices.find(id);
    if (found == m_devices.end())
        return MCIERR_INVALID_DEVICE_ID;
    Device& device = found->second;

    MCIERROR result = 0;
    switch (message) {
    case MCI_CLOSE:
        result = close(id, out);
        break;
    case MCI_PLAY:
        // The play's own notification comes at its end.
        return play(id, device, flags, block<MCI_PLAY_PARMS>(params), out);
    case MCI_PAUSE:
        result = pause(id, device);
        break;
    case MCI_RESUME:
        result = resume(id, device);
        break;
    case MCI_STOP:
        result = stop(id, device, out);
        break;
    case MCI_SEEK:
        result = seek(id, device, flags, block<MCI_SEEK_PARMS>(params), out);
        break;
    case MCI_STATUS:
        result = status(id, device, flags, block<MCI_STATUS_PARMS>(params));
        break;
    case MCI_SET:
        result = set(flags, block<MCI_SET_PARMS>(params));
        break;
    case MCI_ESCAPE:
    case MCI_INFO:
    case MCI_GETDEVCAPS:
    case MCI_SPIN:
    case MCI_STEP:
    case MCI_RECORD:
    case MCI_SYSINFO:
    case MCI_BREAK:
    case MCI_SAVE:
    case MCI_CUE:
    case MCI_REALIZE:
    case MCI_WINDOW:
    case MCI_PUT:
    case MCI_WHERE:
    case MCI_FREEZE:
    case MCI_UNFREEZE:
    case MCI_LOAD:
    case MCI_CUT:
    case MCI_COPY:
    case MCI_PASTE:
    case MCI_UPDATE:
    case MCI_DELETE:
        return MCIERR_UNSUPPORTED_FUNCTION;
    default:
        return MCIERR_UNRECOGNIZED_COMMAND;
    }
    if (result == 0 && (flags & MCI_NOTIFY) && params)
        out.push_back({callback_window(params), MCI_NOTIFY_SUCCESSFUL, id});
    return result;
}

MCIERROR MciDevices::open(DWORD flags, MCI_OPEN_PARMSA* parms, Notices& out) {
    if (!parms)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (flags & MCI_OPEN_ELEMENT_ID)
        return MCIERR_UNSUPPORTED_FUNCTION;
    if (!(flags & (MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID)))
        return MCIERR_DEVICE_TYPE_REQUIRED;
    if ((flags & MCI_OPEN_TYPE_ID) || !parms->lpstrDeviceType ||
        !equal_ignoring_case(parms->lpstrDeviceType, kDeviceType))
        return MCIERR_INVALID_DEVICE_NAME;
    if (!(flags & MCI_OPEN_ELEMENT) || !parms->lpstrElementName || !*parms->lpstrElementName)
        return MCIERR_FILENAME_REQUIRED;
    std::string host_path = to_host_path(parms->lpstrElementName);
    if (!is_file(host_path))
        return MCIERR_FILE_NOT_FOUND;
    if (!m_output.ensure_open())
        return MCIERR_CANNOT_LOAD_DRIVER;
    TrackPtr track = m_output.load(host_path);
    if (!track)
        return MCIERR_INVALID_FILE;

    MCIDEVICEID id = next_free_id();
    Device& device = m_devices[id];
    device.length_ms = MusicOutput::length_ms(*track);
    device.decoder_stops_at_length = MusicOutput::decoder_stops_at_length(*track);
    device.track = std::move(track);
    parms->wDeviceID = id;
    if (flags & MCI_NOTIFY)
        out.push_back({reinterpret_cast<void*>(parms->dwCallback), MCI_NOTIFY_SUCCESSFUL, id});
    return 0;
}

MCIERROR MciDevices::close(MCIDEVICEID id, Notices& out) {
    if (m_stream_holder == id)
        stop_stream_holder(MCI_NOTIFY_ABORTED, out);
    m_devices.erase(id);
    return 0;
}

MCIERROR MciDevices::play(MCIDEVICEID id, Device& device, DWORD flags, const MCI_PLAY_PARMS* parms,
                          Notices& out) {
    if ((flags & (MCI_NOTIFY | MCI_FROM | MCI_TO)) && !parms)
        return MCIERR_NULL_PARAMETER_BLOCK;
    // Playing here never blocks the caller.
    if (flags & MCI_WAIT)
        return MCIERR_UNSUPPORTED_FUNCTION;
    const bool has_to = flags & MCI_TO;
    std::uint32_t from = (flags & MCI_FROM) ? parms->dwFrom : position(id, device);
    std::uint32_t end = has_to ? parms->dwTo : device.length_ms;
    if (device.length_ms && (from > device.length_ms || end > device.length_ms))
        return MCIERR_OUTOFRANGE;
    if (has_to && end < from)
        return MCIERR_OUTOFRANGE;
    void* hwnd = (flags & MCI_NOTIFY) ? reinterpret_cast<void*>(parms->dwCallback) : nullptr;

    // Without a new start or end, a play of the holder goes on (or resumes) where it is.
    if (m_stream_holder == id && !(flags & MCI_FROM) && end == device.play_end_ms) {
        if (hwnd) {
            if (void* earlier = m_output.disarm_notify())
                out.push_back({earlier, MCI_NOTIFY_SUPERSEDED, id});
            m_output.arm_notify(hwnd, id);
        }
        if (device.mode == Mode::Paused) {
            m_output.resume();
            device.mode = Mode::Playing;
        }
        return 0;
    }

    if (m_stream_holder)
        stop_stream_holder(
            hwnd && m_stream_holder == id ? MCI_NOTIFY_SUPERSEDED : MCI_NOTIFY_ABORTED, out);
    device.position_ms = from;
    device.mode = Mode::Stopped;
    const bool bounded = has_to || device.length_ms > 0;
    if (bounded && from >= end) {
        if (hwnd)
            out.push_back({hwnd, MCI_NOTIFY_SUCCESSFUL, id});
        return 0;
    }
    const bool stops_early = has_to && (device.length_ms == 0 || end < device.length_ms);
    const bool stops_at_length =
        device.length_ms > 0 && end == device.length_ms && !device.decoder_stops_at_length;
    if (hwnd)
        m_output.arm_notify(hwnd, id);
    if (!m_output.start(*device.track, from, stops_early || stops_at_length ? end : 0)) {
        m_output.disarm_notify();
        return MCIERR_DRIVER;
    }
    device.mode = Mode::Playing;
    device.play_from_ms = from;
    device.play_end_ms = bounded ? end : 0;
    m_stream_holder = id;
    return 0;
}

MCIERROR MciDevices::pause(MCIDEVICEID id, Device& device) {
    if (m_stream_holder != id || device.mode != Mode::Playing)
        return 0;
    m_output.pause();
    device.mode = Mode::Paused;
    return 0;
}

MCIERROR MciDevices::resume(MCIDEVICEID id, Device& device) {
    if (m_stream_holder != id || device.mode != Mode::Paused)
        return 0;
    m_output.resume();
    device.mode = Mode::Playing;
    return 0;
}

MCIERROR MciDevices::stop(MCIDEVICEID id, Device& device, Notices& out) {
    if (m_stream_holder == id)
        stop_stream_holder(MCI_NOTIFY_ABORTED, out);
    device.mode = Mode::Stopped;
    return 0;
}

MCIERROR MciDevices::seek(MCIDEVICEID id, Device& device, DWORD flags, const MCI_SEEK_PARMS* parms,
                          Notices& out) {
    const DWORD targets = flags & (MCI_SEEK_TO_START | MCI_SEEK_TO_END | MCI_TO);
    if (targets == 0)
        return MCIERR_MISSING_PARAMETER;
    if (targets != MCI_SEEK_TO_START && targets != MCI_SEEK_TO_END && targets != MCI_TO)
        return MCIERR_FLAGS_NOT_COMPATIBLE;
    if (((flags & (MCI_TO | MCI_NOTIFY)) && !parms))
        return MCIERR_NULL_PARAMETER_BLOCK;
    std::uint32_t target = targets == MCI_SEEK_TO_START ? 0
                           : targets == MCI_SEEK_TO_END ? device.length_ms
                                                        : parms->dwTo;
    if (device.length_ms && target > device.length_ms)
        return MCIERR_OUTOFRANGE;
    if (m_stream_holder == id)
        stop_stream_holder(MCI_NOTIFY_ABORTED, out);
    device.position_ms = target;
    device.mode = Mode::Stopped;
    return 0;
}

MCIERROR MciDevices::status(MCIDEVICEID id, const Device& device, DWORD flags,
                            MCI_STATUS_PARMS* parms) const {
    if (!parms)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (!(flags & MCI_STATUS_ITEM))
        return MCIERR_MISSING_PARAMETER;
    switch (parms->dwItem) {
    case MCI_STATUS_LENGTH:
        parms->dwReturn = device.length_ms;
        return 0;
    case MCI_STATUS_POSITION:
        parms->dwReturn = (flags & MCI_STATUS_START) ? 0 : position(id, device);
        return 0;
    case MCI_STATUS_MODE:
        parms->dwReturn = device.mode == Mode::Playing  ? MCI_MODE_PLAY
                          : device.mode == Mode::Paused ? MCI_MODE_PAUSE
                                                        : MCI_MODE_STOP;
        return 0;
    case MCI_STATUS_READY:
    case MCI_STATUS_MEDIA_PRESENT:
        parms->dwReturn = TRUE;
        return 0;
    case MCI_STATUS_TIME_FORMAT:
        parms->dwReturn = MCI_FORMAT_MILLISECONDS;
        return 0;
    case MCI_STATUS_NUMBER_OF_TRACKS:
    case MCI_STATUS_CURRENT_TRACK:
        parms->dwReturn = 1;
        return 0;
    default:
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
}

MCIERROR MciDevices::set(DWORD flags, const MCI_SET_PARMS* parms) {
    if (!parms)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (flags & ~(MCI_NOTIFY | MCI_WAIT | MCI_SET_TIME_FORMAT))
        return MCIERR_UNSUPPORTED_FUNCTION;
    if (!(flags & MCI_SET_TIME_FORMAT))
        return MCIERR_MISSING_PARAMETER;
    // Positions are kept in milliseconds only.
    if (parms->dwTimeFormat != MCI_FORMAT_MILLISECONDS)
        return MCIERR_BAD_TIME_FORMAT;
    return 0;
}

void MciDevices::settle_end_of_play() {
    if (!m_stream_holder || !m_output.reached_end())
        return;
    Device& device = m_devices.at(m_stream_holder);
    device.position_ms =
        device.play_end_ms ? device.play_end_ms : device.play_from_ms + m_output.played_ms();
    device.mode = Mode::Stopped;
    m_stream_holder = 0;
    // A play that stopped at its end point is only paused in the mixer.
    m_output.halt();
}

void MciDevices::stop_stream_holder(WPARAM why, Notices& out) {
    if (!m_stream_holder)
        return;
    m_output.halt();
    settle_end_of_play();
    if (!m_stream_holder)
        return;
    Device& device = m_devices.at(m_stream_holder);
    device.position_ms = position(m_stream_holder, device);
    device.mode = Mode::Stopped;
    if (void* hwnd = m_output.disarm_notify())
        out.push_back({hwnd, why, m_stream_holder});
    m_stream_holder = 0;
}

std::uint32_t MciDevices::position(MCIDEVICEID id, const Device& device) const {
    if (m_stream_holder != id)
        return device.position_ms;
    std::uint32_t played = device.play_from_ms + m_output.played_ms();
    if (device.play_end_ms)
        played = std::min(played, device.play_end_ms);
    return played;
}

// Ids are not reused soon, so that a stale id held by one caller fails instead of reaching a
// device that another caller opened since.
MCIDEVICEID MciDevices::next_free_id() {
    do {
        ++m_last_id;
        if (m_last_id == 0 || m_last_id == MCI_ALL_DEVICE_ID)
            m_last_id = 1;
    } while (m_devices.count(m_last_id));
    return m_last_id;
}

} // namespace lv::media
