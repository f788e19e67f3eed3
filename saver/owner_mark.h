// What a process makes for itself alone (a work folder, a staging folder, a file it writes)
// carries a mark: a small file that the maker holds locked for as long as it runs. The lock
// goes with the process however it ends, so a later process tells the leftovers of one that
// has ended from the work of one that still runs, and removes only the former.
#pragma once

#include "mfc/mfc.h"

#include <functional>

class OwnerMark {
public:
    OwnerMark() = default;
    ~OwnerMark();
    OwnerMark(const OwnerMark&) = delete;
    OwnerMark& operator=(const OwnerMark&) = delete;

    // Opens the mark at `path`, making it when `make` is set and it is missing, and holds it.
    // FALSE when it cannot be opened (a link at the name is not), or when a running process
    // holds it (the last error is then ERROR_LOCK_VIOLATION).
    BOOL Take(const CString& path, bool make);
    bool Held() const { return m_file != INVALID_HANDLE_VALUE; }
    HANDLE File() const { return m_file; }

    // Deletes the mark's file, then lets go of it.
    void Remove();
    // Lets go of it and leaves the file.
    void Release();

private:
    HANDLE m_file = INVALID_HANDLE_VALUE;
    CString m_path;
};

// Holds an open file of one's own as its own mark: no other process can take it while the
// handle is open. FALSE when the lock cannot be taken.
BOOL HoldAsMark(HANDLE file);

// For each file matching `pattern` (a folder and a name with wildcards) whose name `isMark`
// accepts (every name when it is empty) and whose holder has ended: takes it, calls `leftover`
// (when given) with its path while holding it, then deletes it unless `leftover` returned
// false. Marks that a running process holds are left alone.
void SweepEndedMarks(const CString& pattern, const std::function<bool(const CString&)>& leftover,
                     const std::function<bool(const CString&)>& isMark = {});
