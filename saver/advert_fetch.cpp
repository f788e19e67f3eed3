#include "saver/advert_fetch.h"

#include "saver/ini_reader.h"
#include "saver/saver_app.h"
#include "saver/theme_globals.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <ctime>

CString AdPicturePath;

namespace {

constexpr char kDescriptionName[] = "adimage.ini";
constexpr char kDownloadedPictureName[] = "adimage_01.jpg";
constexpr char kThemePictureName[] = "adimage.jpg";
constexpr char kInfoSection[] = "Info";
constexpr WORD kSunday = 0;
constexpr AdvertDate kDateOfEmptyText{2005, 1, 1};

CString InWorkFolder(const char* name) {
    return WorkFolder + "\\" + name;
}

// The start of the saver waits for the fetch, each of whose downloads may take a few seconds:
// once this much time has gone, no further one begins.
constexpr DWORD kFetchBudgetMs = 6000;

class FetchBudget {
public:
    bool Left() const { return GetTickCount() - m_started < kFetchBudgetMs; }

private:
    DWORD m_started = GetTickCount();
};

// Tries the primary address, then the secondary one, while the budget lasts.
bool DownloadFromEitherBase(const char* name, const CString& target, const FetchBudget& budget) {
    CString tail = CString("/") + name;
    return (budget.Left() && DownloadFile(Theme.primaryAdBase + tail, target)) ||
           (budget.Left() && DownloadFile(Theme.secondaryAdBase + tail, target));
}

// Values come from a downloaded file: beyond the range of an int they saturate, as the 32-bit
// reader did.
int ReadIntValue(CIniReader& description, const char* key) {
    long value = description.GetInt(kInfoSection, key, 0, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

struct AdvertDescription {
    int expectedSize = 0;
    std::optional<AdvertDate> date;
};

// The description comes from a server and holds three short values: a file far larger than
// that is no description and is read as a missing one.
constexpr std::int64_t kLargestDescription = 16 * 1024;

bool FitsDescription(const CString& path) {
    _finddata_t found{};
    std::intptr_t search = _findfirst(path, &found);
    if (search == -1)
        return true;
    _findclose(search);
    return static_cast<std::int64_t>(found.size) <= kLargestDescription;
}

AdvertDescription ReadDescription(const CString& path) {
    if (!FitsDescription(path)) {
        Theme.adCounterStart = 0;
        return AdvertDescription{0, ParseAdvertDate("")};
    }
    CIniReader description;
    description.SetPath(path);
    Theme.adCounterStart = ReadIntValue(description, "AdImageCount");
    AdvertDescription result;
    result.expectedSize = ReadIntValue(description, "ADImageFileSize");
    result.date = ParseAdvertDate(
        static_cast<LPCTSTR>(description.GetString(kInfoSection, "ADImageDate", "")));
    return result;
}

// The picture already downloaded is the one described: same creation date, same size.
bool MatchesDescription(const CString& picture, const AdvertDescription& description) {
    if (!description.date)
        return false;
    _finddata_t found{};
    std::intptr_t search = _findfirst(picture, &found);
    if (search == -1)
        return false;
    _findclose(search);
    std::time_t created = found.time_create;
    const std::tm* local = std::localtime(&created);
    if (!local)
        return false;
    AdvertDate createdOn{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
    return createdOn == *description.date &&
           static_cast<std::int64_t>(found.size) ==
               static_cast<std::int64_t>(description.expectedSize);
}

std::optional<int> ParseDigits(std::string_view digits) {
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

int DownloadFile(const char* address, const char* path) {
    return URLDownloadToFileA(nullptr, address, path, 0, nullptr) >= 0 ? 1 : 0;
}

std::optional<AdvertDate> ParseAdvertDate(std::string_view text) {
    if (text.empty())
        return kDateOfEmptyText;
    if (text.size() != 8)
        return std::nullopt;
    std::optional<int> year = ParseDigits(text.substr(0, 4));
    std::optional<int> month = ParseDigits(text.substr(4, 2));
    std::optional<int> day = ParseDigits(text.substr(6, 2));
    if (!year || !month || !day)
        return std::nullopt;
    return AdvertDate{*year, *month, *day};
}

void CSaverApp::FetchAdImage() {
    SYSTEMTIME now{};
    GetSystemTime(&now);
    const CString downloadedPicture = InWorkFolder(kDownloadedPictureName);
    const CString themePicture = InWorkFolder(kThemePictureName);

    if (now.wDayOfWeek != kSunday) {
        AdPicturePath = _access(downloadedPicture, 0) == 0 ? downloadedPicture : themePicture;
        return;
    }

    const FetchBudget budget;
    const CString descriptionPath = InWorkFolder(kDescriptionName);
    if (!DownloadFromEitherBase(kDescriptionName, descriptionPath, budget)) {
        AdPicturePath = themePicture;
        return;
    }
    AdvertDescription description = ReadDescription(descriptionPath);
    if (_access(downloadedPicture, 0) == 0 && MatchesDescription(downloadedPicture, description)) {
        AdPicturePath = downloadedPicture;
        return;
    }
    AdPicturePath = DownloadFromEitherBase(kThemePictureName, downloadedPicture, budget)
                        ? downloadedPicture
                        : themePicture;
}
