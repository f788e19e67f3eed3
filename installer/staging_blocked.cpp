#include "installer/staging_blocked.h"

#include "installer/install_strings.h"

bool IsStagingBlocked(PrepareResult result) {
    return result == PrepareResult::InUse || result == PrepareResult::InTheWay;
}

CString StagingBlockedText(const PreparedStaging& staging) {
    if (!IsStagingBlocked(staging.result))
        return CString();
    CString format;
    format.LoadString(staging.result == PrepareResult::InUse ? IDS_STAGING_IN_USE
                                                             : IDS_STAGING_IN_THE_WAY);
    CString text;
    text.Format(format, staging.obstacle.c_str());
    return text;
}

void ShowStagingBlocked(HWND owner, const PreparedStaging& staging) {
    const CString text = StagingBlockedText(staging);
    if (text.IsEmpty())
        return;
    CString caption;
    caption.LoadString(IDS_ERROR);
    MessageBoxA(owner, text, caption, MB_OK | MB_ICONEXCLAMATION);
}
