// Whole-file reads and replacements that never leave a half-written file behind.
#pragma once

#include <string>
#include <string_view>

namespace lv {

// False when the file cannot be read (errno tells why).
bool read_whole_file(const std::string& host_path, std::string& contents);

// A new file under a private name beside its target ("<target>.tmp.<process>.<n>"), created
// exclusively: never through a link, never over anything that already stands at that name.
// commit() moves it over the target in one step; without a commit it is removed again.
class ReplacementFile {
public:
    ReplacementFile(std::string target, unsigned mode);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // -1 when the file could not be made (errno tells why).
    int fd() const { return m_fd; }
    // Syncs and closes the file, renames it over the target and syncs the folder. False with
    // errno set when any step fails; the private file then goes with the object.
    bool commit();

private:
    std::string m_target;
    std::string m_path;
    int m_fd = -1;
};

// Syncs the folder that holds `host_path`, so that a rename in it reaches the disk.
void sync_folder_of(const std::string& host_path);

// Writes a replacement file, syncs it and renames it over the target.
// `mode` is used for a new file; an existing file keeps its permissions.
bool replace_file_atomically(const std::string& host_path, std::string_view contents,
                             unsigned mode = 0644);

} // namespace lv
