// A small HTTP server on 127.0.0.1 for the download tests: it serves the files of a folder (404
// for anything else), answers chosen paths as told, and records what was asked. It runs in its
// own thread until it is destroyed or its lifetime is over.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lvtest {

struct CannedResponse {
    int status = 200;
    std::string extraHeaders; // each line ending in "\r\n"
    std::string body;
    // Promise more bytes than the body has, then hang up: a transfer cut short.
    bool truncated = false;
    // Sends the body one byte at a time, this far apart: a server that trickles.
    std::chrono::milliseconds byteInterval{0};
};

class LoopbackHttpServer {
public:
    explicit LoopbackHttpServer(std::filesystem::path folder,
                                std::chrono::seconds lifetime = std::chrono::seconds(60));
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    std::uint16_t port() const { return m_port; }
    // "http://127.0.0.1:<port>" followed by `path`.
    std::string url(const std::string& path = "") const;

    void answer(const std::string& path, CannedResponse response);
    // The request paths in the order they arrived.
    std::vector<std::string> requests() const;

private:
    void serve();
    void handle(int connection);
    CannedResponse response_for(const std::string& path) const;

    std::filesystem::path m_folder;
    std::chrono::steady_clock::time_point m_deadline;
    int m_listener = -1;
    std::uint16_t m_port = 0;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::map<std::string, CannedResponse> m_canned;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};

// A loopback port that nothing listens on.
std::uint16_t ClosedLoopbackPort();

} // namespace lvtest
