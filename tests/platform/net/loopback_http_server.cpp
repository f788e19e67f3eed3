#include "tests/platform/net/loopback_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace lvtest {

namespace {

constexpr std::size_t kMaxRequestBytes = 16 * 1024;

int bound_loopback_socket(std::uint16_t& port) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        throw std::runtime_error("bind failed");
    }
    port = ntohs(address.sin_port);
    return fd;
}

const char* reason_of(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

void send_all(int connection, const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = ::send(connection, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += static_cast<std::size_t>(n);
    }
}

// The path of "GET /path?query HTTP/1.1".
std::string request_path(const std::string& request) {
    std::istringstream line(request.substr(0, request.find("\r\n")));
    std::string method, target;
    line >> method >> target;
    return target.substr(0, target.find('?'));
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer(std::filesystem::path folder, std::chrono::seconds lifetime)
    : m_folder(std::move(folder)), m_deadline(std::chrono::steady_clock::now() + lifetime) {
    m_listener = bound_loopback_socket(m_port);
    if (::listen(m_listener, 16) != 0) {
        ::close(m_listener);
        throw std::runtime_error("listen failed");
    }
    m_thread = std::thread([this] { serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    m_stop = true;
    m_thread.join();
    ::close(m_listener);
}

std::string LoopbackHttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

void LoopbackHttpServer::answer(const std::string& path, CannedResponse response) {
    std::lock_guard lock(m_mutex);
    m_canned[path] = std::move(response);
}

std::vector<std::string> LoopbackHttpServer::requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

void LoopbackHttpServer::serve() {
    while (!m_stop && std::chrono::steady_clock::now() < m_deadline) {
        pollfd waiting{m_listener, POLLIN, 0};
        if (::poll(&waiting, 1, 50) <= 0)
            continue;
        int connection = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        handle(connection);
        ::close(connection);
    }
}

void LoopbackHttpServer::handle(int connection) {
    timeval timeout{2, 0};
    ::setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::string request;
    char chunk[1024];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < kMaxRequestBytes) {
        ssize_t n = ::recv(connection, chunk, sizeof chunk, 0);
        if (n <= 0)
            return;
        request.append(chunk, static_cast<std::size_t>(n));
    }
    std::string path = request_path(request);
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(path);
    }
    CannedResponse response = response_for(path);
    std::size_t promised = response.body.size() + (response.truncated ? 1000 : 0);
    std::string head = "HTTP/1.1 " + std::to_string(response.status) + " " +
                       reason_of(response.status) +
                       "\r\nContent-Length: " + std::to_string(promised) +
                       "\r\nConnection: close\r\n" + response.extraHeaders + "\r\n";
    if (response.byteInterval.count() == 0) {
        send_all(connection, head + response.body);
        return;
    }
    send_all(connection, head);
    for (char byte : response.body) {
        std::this_thread::sleep_for(response.byteInterval);
        if (m_stop || ::send(connection, &byte, 1, MSG_NOSIGNAL) != 1)
            return; // the client has given up
    }
}

CannedResponse LoopbackHttpServer::response_for(const std::string& path) const {
    {
        std::lock_guard lock(m_mutex);
        auto canned = m_canned.find(path);
        if (canned != m_canned.end())
            return canned->second;
    }
    CannedResponse missing{404, "", "no such file\n", false};
    std::filesystem::path relative = std::filesystem::path(path).relative_path();
    for (const auto& part : relative) {
        if (part == "..")
            return missing;
    }
    std::ifstream in(m_folder / relative, std::ios::binary);
    if (relative.empty() || !in || std::filesystem::is_directory(m_folder / relative))
        return missing;
    std::stringstream body;
    body << in.rdbuf();
    return {200, "", body.str(), false};
}

std::uint16_t ClosedLoopbackPort() {
    std::uint16_t port = 0;
    ::close(bound_loopback_socket(port));
    return port;
}

} // namespace lvtest
