// URLDownloadToFile on libcurl. The transfer goes into a temporary file beside the target, which
// replaces the target only once the whole body has arrived, so a failed download never leaves a
// truncated file where a good one was. A body is at most a few megabytes and a transfer takes
// at most a few seconds.
#include "system/paths.h"
#include "win32/net.h"

#include <curl/curl.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

namespace {

// The one caller waits for its downloads before it starts: an advert picture and its short
// description. Anything larger, or slower, than such a file is given up on and nothing of it
// is kept.
constexpr long kConnectTimeoutMs = 2000;
constexpr long kTransferTimeoutMs = 4000;
constexpr std::size_t kMaxBodyBytes = 8 * 1024 * 1024;
constexpr long kMaxRedirects = 10;
constexpr long kFirstHttpError = 400;

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;

// The temporary file: removed when it is not handed over to the target.
class PartFile {
public:
    explicit PartFile(const std::string& target) : m_path(target + ".partXXXXXX") {
        m_fd = ::mkstemp(m_path.data());
        if (m_fd >= 0)
            ::fchmod(m_fd, 0644);
    }
    ~PartFile() {
        close();
        if (!m_kept)
            ::unlink(m_path.c_str());
    }
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    bool is_open() const { return m_fd >= 0; }

    bool write_all(const char* data, std::size_t size) {
        // Counted here as well as announced to the transfer: a body without a length says
        // nothing in advance.
        if (size > kMaxBodyBytes - m_written)
            return false;
        m_written += size;
        while (size > 0) {
            ssize_t written = ::write(m_fd, data, size);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        return true;
    }

    bool close() {
        if (m_fd < 0)
            return true;
        int result = ::close(m_fd);
        m_fd = -1;
        return result == 0;
    }

    bool move_to(const std::string& target) {
        if (!close() || ::rename(m_path.c_str(), target.c_str()) != 0)
            return false;
        m_kept = true;
        return true;
    }

private:
    std::string m_path;
    int m_fd = -1;
    bool m_kept = false;
    std::size_t m_written = 0;
};

std::size_t write_body(char* data, std::size_t size, std::size_t count, void* user) {
    auto* part = static_cast<PartFile*>(user);
    std::size_t bytes = size * count;
    return part->write_all(data, bytes) ? bytes : 0;
}

HRESULT result_of(CURLcode code) {
    switch (code) {
    case CURLE_URL_MALFORMAT:
        return INET_E_INVALID_URL;
    case CURLE_UNSUPPORTED_PROTOCOL:
        return INET_E_UNKNOWN_PROTOCOL;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_FILE_COULDNT_READ_FILE:
        return INET_E_RESOURCE_NOT_FOUND;
    case CURLE_COULDNT_CONNECT:
        return INET_E_CANNOT_CONNECT;
    case CURLE_OPERATION_TIMEDOUT:
        return INET_E_CONNECTION_TIMEOUT;
    case CURLE_OUT_OF_MEMORY:
        return E_OUTOFMEMORY;
    default:
        return INET_E_DOWNLOAD_FAILURE;
    }
}

bool configure(CURL* easy, const char* url, PartFile& part) {
    return curl_easy_setopt(easy, CURLOPT_URL, url) == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https,file") == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https") == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects) == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L) == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, kConnectTimeoutMs) == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, kTransferTimeoutMs) == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE,
                            static_cast<curl_off_t>(kMaxBodyBytes)) == CURLE_OK &&
           // Timeouts without SIGALRM: the caller may be any thread.
           curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L) == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, write_body) == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_WRITEDATA, &part) == CURLE_OK;
}

bool curl_ready() {
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] { ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
    return ready;
}

} // namespace

HRESULT URLDownloadToFileA(LPVOID /*caller*/, LPCSTR url, LPCSTR file, DWORD /*reserved*/,
                           LPVOID callback) {
    if (callback)
        return E_NOTIMPL;
    if (!url || !*url || !file)
        return E_INVALIDARG;
    std::string target = lv::to_host_path(file);
    if (target.empty())
        return E_INVALIDARG;
    if (!curl_ready())
        return E_FAIL;
    EasyHandle easy(curl_easy_init());
    if (!easy)
        return E_OUTOFMEMORY;

    PartFile part(target);
    if (!part.is_open())
        return E_FAIL;
    if (!configure(easy.get(), url, part))
        return E_FAIL;
    CURLcode code = curl_easy_perform(easy.get());
    if (code != CURLE_OK)
        return result_of(code);
    long status = 0;
    curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &status);
    if (status >= kFirstHttpError)
        return INET_E_DOWNLOAD_FAILURE;
    return part.move_to(target) ? S_OK : E_FAIL;
}
