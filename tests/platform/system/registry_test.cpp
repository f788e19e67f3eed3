#include "layer_root_fixture.h"
#include "system/registry_hive.h"
#include "win32/win32.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

class RegistryTest : public lvtest::LayerRootTest {
protected:
    std::filesystem::path hive_file(const char* name) { return root() / "registry" / name; }

    std::string read_text(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    HKEY create(HKEY root_key, const char* path, REGSAM access = KEY_ALL_ACCESS) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(root_key, path, 0, nullptr, 0, access, nullptr, &key, nullptr),
                  ERROR_SUCCESS)
            << path;
        return key;
    }

    void set_string(HKEY key, const char* name, const std::string& text) {
        ASSERT_EQ(RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                                 static_cast<DWORD>(text.size())),
                  ERROR_SUCCESS);
    }

    void set_dword(HKEY key, const char* name, DWORD number) {
        ASSERT_EQ(RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                                 sizeof number),
                  ERROR_SUCCESS);
    }

    LONG query_dword(HKEY key, const char* name, DWORD& number) {
        DWORD size = sizeof number, type = 0;
        LONG status =
            RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size);
        if (status == ERROR_SUCCESS && (type != REG_DWORD || size != 4))
            return ERROR_INVALID_DATA;
        return status;
    }
};

TEST_F(RegistryTest, CreateOpenAndDisposition) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Glimmerwright Savers\\Amber", 0,
                              const_cast<LPSTR>(""), 0, 0x2001F, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "software\\GLIMMERWRIGHT SAVERS\\amber\\", 0,
                              nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    RegCloseKey(key);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Glimmerwright Savers", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Nobody", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Glimmerwright Savers", 0, KEY_READ, &key),
        ERROR_FILE_NOT_FOUND);
    // The hive is a readable text file with the key spelled as first created.
    EXPECT_NE(read_text(hive_file("HKEY_CURRENT_USER.reg"))
                  .find("[Software\\Glimmerwright Savers\\Amber]"),
              std::string::npos);
}

TEST_F(RegistryTest, StringsWrittenWithoutTheirNul) {
    HKEY key = create(HKEY_CURRENT_USER, "Control Panel\\Desktop\\");
    set_string(key, "SCRNSAVE.EXE", "C:\\WINDOWS\\system32\\Amber.scr");
    const DWORD length = 29;

    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "scrnsave.exe", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, length);

    char small[8];
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExA(key, "SCRNSAVE.EXE", nullptr, &type, reinterpret_cast<BYTE*>(small),
                               &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, length);

    char buffer[261];
    std::memset(buffer, 'x', sizeof buffer);
    size = sizeof buffer;
    ASSERT_EQ(RegQueryValueExA(key, "SCRNSAVE.EXE", nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                               &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, length);
    EXPECT_STREQ(buffer, "C:\\WINDOWS\\system32\\Amber.scr");
    EXPECT_EQ(
        RegQueryValueExA(key, "Missing", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
        ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(RegistryTest, TypedValuesRoundTrip) {
    HKEY key = create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Test");
    set_dword(key, "Count", 0xDEADBEEF);
    const BYTE blob[] = {0, 1, 0x22, 0x5C, 0xFF, '\n'};
    ASSERT_EQ(RegSetValueExA(key, "Blob", 0, REG_BINARY, blob, sizeof blob), ERROR_SUCCESS);
    const char expand[] = "%SystemRoot%\\x";
    ASSERT_EQ(RegSetValueExA(key, nullptr, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expand),
                             sizeof expand),
              ERROR_SUCCESS);
    RegCloseKey(key);

    // Another process reads what this one wrote.
    pid_t child = ::fork();
    if (child == 0) {
        HKEY k = nullptr;
        bool ok = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\test", 0, KEY_READ, &k) == 0;
        DWORD number = 0, type = 0, size = sizeof number;
        ok = ok && query_dword(k, "COUNT", number) == 0 && number == 0xDEADBEEF;
        BYTE data[16];
        size = sizeof data;
        ok = ok && RegQueryValueExA(k, "blob", nullptr, &type, data, &size) == 0 &&
             type == REG_BINARY && size == sizeof blob && std::memcmp(data, blob, size) == 0;
        char text[32];
        size = sizeof text;
        ok = ok &&
             RegQueryValueExA(k, "", nullptr, &type, reinterpret_cast<BYTE*>(text), &size) == 0 &&
             type == REG_EXPAND_SZ && size == sizeof expand && std::strcmp(text, expand) == 0;
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(RegistryTest, Enumeration) {
    HKEY key = create(HKEY_LOCAL_MACHINE, "Software\\Enum");
    for (const char* name : {"beta", "Alpha", "gamma"})
        RegCloseKey(create(key, name));
    set_dword(key, "second", 2);
    set_dword(key, "first", 1);
    char name[260];
    std::vector<std::string> keys;
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        LONG status = RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        ASSERT_EQ(status, ERROR_SUCCESS);
        EXPECT_EQ(size, std::strlen(name));
        keys.push_back(name);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    DWORD size = 5;
    EXPECT_EQ(RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr),
              ERROR_MORE_DATA);

    std::vector<std::string> values;
    for (DWORD i = 0;; ++i) {
        DWORD name_size = sizeof name, type = 0, number = 0, data_size = sizeof number;
        LONG status = RegEnumValueA(key, i, name, &name_size, nullptr, &type,
                                    reinterpret_cast<BYTE*>(&number), &data_size);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        ASSERT_EQ(status, ERROR_SUCCESS);
        values.push_back(std::string(name) + "=" + std::to_string(number));
    }
    EXPECT_EQ(values, (std::vector<std::string>{"second=2", "first=1"}));
    DWORD sub_keys = 0, value_count = 0;
    EXPECT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &sub_keys, nullptr, nullptr,
                               &value_count, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(sub_keys, 3u);
    EXPECT_EQ(value_count, 2u);
    RegCloseKey(key);
}

// How the uninstaller removes an entry: children first, index 0 each time.
LONG delete_tree(HKEY root_key, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root_key, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        char name[260];
        DWORD size = sizeof name;
        while (RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) ==
                   ERROR_SUCCESS &&
               delete_tree(key, name) == ERROR_SUCCESS)
            size = sizeof name;
        RegCloseKey(key);
    }
    return RegDeleteKeyA(root_key, path.c_str());
}

TEST_F(RegistryTest, DeletingKeysAndValues) {
    const char* entry = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Amber Tides";
    HKEY key = create(HKEY_LOCAL_MACHINE, entry);
    set_string(key, "DisplayName", "Amber Tides Screensaver");
    RegCloseKey(create(key, "Sub\\Deeper"));
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, entry), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(key, "displayname"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, "DisplayName"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(delete_tree(HKEY_LOCAL_MACHINE,
                          "software\\microsoft\\windows\\currentversion\\uninstall\\AMBER TIDES"),
              ERROR_SUCCESS);
    HKEY gone = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, entry, 0, KEY_READ, &gone), ERROR_FILE_NOT_FOUND);
    // The handle to the deleted key stays valid as a handle but its key has gone.
    DWORD number = 0;
    EXPECT_EQ(query_dword(key, "x", number), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, entry), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, ""), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, AccessRightsAndHandles) {
    RegCloseKey(create(HKEY_CURRENT_USER, "Software\\Rights"));
    HKEY reader = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Rights", 0, KEY_READ, &reader),
              ERROR_SUCCESS);
    DWORD one = 1;
    EXPECT_EQ(RegSetValueExA(reader, "x", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(reader, "x"), ERROR_ACCESS_DENIED);
    HKEY child = nullptr;
    EXPECT_EQ(
        RegCreateKeyExA(reader, "Child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
        ERROR_ACCESS_DENIED);
    RegCloseKey(reader);
    HKEY writer = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Rights", 0, KEY_SET_VALUE, &writer),
              ERROR_SUCCESS);
    set_dword(writer, "x", 1);
    DWORD number = 0;
    EXPECT_EQ(query_dword(writer, "x", number), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCloseKey(writer), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(writer), ERROR_INVALID_HANDLE);
    EXPECT_EQ(query_dword(writer, "x", number), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyExA(reinterpret_cast<HKEY>(0x1234), "x", 0, KEY_READ, &reader),
              ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, ClassesRootIsTheMachinesClassesKey) {
    HKEY key = create(HKEY_CLASSES_ROOT, ".lvt");
    set_string(key, "", "Lumivista.Theme");
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\CLASSES\\.LVT", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    char text[64];
    DWORD size = sizeof text;
    EXPECT_EQ(
        RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size),
        ERROR_SUCCESS);
    EXPECT_STREQ(text, "Lumivista.Theme");
    RegCloseKey(key);
}

TEST_F(RegistryTest, SeesChangesMadeToTheFileAndKeepsADamagedOneUntouched) {
    HKEY key = create(HKEY_CURRENT_USER, "Software\\Edit");
    set_dword(key, "v", 1);
    {
        std::ofstream out(hive_file("HKEY_CURRENT_USER.reg"), std::ios::trunc);
        out << "; edited by hand\n[Software\\Edit]\n\"v\"=dword:00000007\n";
    }
    DWORD number = 0;
    EXPECT_EQ(query_dword(key, "v", number), ERROR_SUCCESS);
    EXPECT_EQ(number, 7u);
    const std::string damaged = "[Software\\Edit]\n\"v\"=dword:zz\n";
    {
        std::ofstream out(hive_file("HKEY_CURRENT_USER.reg"), std::ios::trunc);
        out << damaged;
    }
    EXPECT_EQ(query_dword(key, "v", number), ERROR_BADDB);
    DWORD two = 2;
    EXPECT_EQ(RegSetValueExA(key, "v", 0, REG_DWORD, reinterpret_cast<BYTE*>(&two), 4),
              ERROR_BADDB);
    EXPECT_EQ(read_text(hive_file("HKEY_CURRENT_USER.reg")), damaged);
    RegCloseKey(key);
}

// Reading needs no right to write: a reader takes a shared lock on the lock file that is
// there, or reads without one, and a write still fails honestly.
TEST_F(RegistryTest, AReadOnlyRegistryFolderServesReads) {
    namespace fs = std::filesystem;
    const fs::path folder = root() / "registry";
    struct Case {
        const char* what;
        bool lock_file;
    } cases[] = {{"read-only lock file", true}, {"no lock file", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(folder);
        fs::create_directories(folder);
        // Written by hand, so that this process holds no copy of the hive to answer from.
        std::ofstream(folder / "HKEY_CURRENT_USER.reg")
            << "[Software\\Fixed]\n\"v\"=dword:0000002a\n";
        if (c.lock_file) {
            std::ofstream(folder / ".lock").flush();
            fs::permissions(folder / ".lock",
                            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        }
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec |
                                    fs::perms::group_read | fs::perms::group_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
        pid_t child = ::fork();
        if (child == 0) {
            // Permissions do not hold back the superuser: read as nobody.
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(9);
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Fixed", 0, KEY_READ, &key))
                ::_exit(1);
            DWORD number = 0;
            if (query_dword(key, "v", number) != ERROR_SUCCESS || number != 42)
                ::_exit(2);
            RegCloseKey(key);
            HKEY created = nullptr;
            if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\New", 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &created, nullptr) == ERROR_SUCCESS)
                ::_exit(3);
            ::_exit(0);
        }
        ASSERT_GT(child, 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "1: open failed, 2: read failed, 3: write succeeded";
    }
}

// What a writer killed before its rename left behind: full copies of a hive, removed by the
// next process that opens the registry.
TEST_F(RegistryTest, StaleReplacementFilesAreRemovedAtTheNextOpen) {
    namespace fs = std::filesystem;
    const fs::path folder = root() / "registry";
    fs::create_directories(folder);
    const char* stale[] = {"HKEY_CURRENT_USER.reg.tmp.4242.0", "HKEY_LOCAL_MACHINE.reg.tmp.77.12"};
    for (const char* name : stale)
        std::ofstream(folder / name) << "[Software\\Old]\n";
    std::ofstream(folder / "notes.txt") << "kept";
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key) == ERROR_SUCCESS)
        RegCloseKey(key);
    for (const char* name : stale)
        EXPECT_FALSE(fs::exists(folder / name)) << name;
    EXPECT_TRUE(fs::exists(folder / "notes.txt"));
}

TEST(RegistryHive, TextFormRoundTripsAwkwardNamesAndBytes) {
    lv::RegistryKey root;
    auto& key = root.add_child("Odd [name] 100%\x01\xE9");
    key.add_child("child \"quoted\"");
    key.values.push_back({"", 1, {'a', 0}});
    key.values.push_back({"quote\"back\\slash\nline", 2, {'\\', '"', 0x80, 0xFF, '\n'}});
    key.values.push_back({"dword", 4, {1, 2, 3, 4}});
    key.values.push_back({"short dword", 4, {1, 2}});
    key.values.push_back({"odd type", 0x12345, {}});
    key.values.push_back({"multi", 7, {'a', 0, 'b', 0, 0}});
    std::string text = lv::serialize_hive(root, "TEST");
    auto parsed = lv::parse_hive(text);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(lv::serialize_hive(**parsed, "TEST"), text);
    auto* back = (*parsed)->child("odd [NAME] 100%\x01\xE9");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->name, "Odd [name] 100%\x01\xE9");
    ASSERT_NE(back->value("QUOTE\"BACK\\SLASH\nLINE"), nullptr);
    EXPECT_EQ(back->value("quote\"back\\slash\nline")->data,
              (std::vector<BYTE>{'\\', '"', 0x80, 0xFF, '\n'}));
    EXPECT_EQ(back->value("odd type")->type, 0x12345u);
}

TEST(RegistryHive, RejectsMalformedText) {
    const char* cases[] = {
        "[unterminated\n",
        "\"v\"=dword:123\n",
        "\"v\"=hex:0g\n",
        "\"v\"=sz:\"open\n",
        "\"v\"=unknown:00\n",
        "no value line\n",
        "[a\\\\b]\n",
        "\"v\"=hex(x):00\n",
        "[%zz]\n",
        "[a%5Cb]\n", // a separator inside a name
        "\"v\"=sz:\"\\q\"\n",
        "\"v\"=hex:0,1\n",
        "\"v\"=dword:1\"\n",
        "\"v\"=sz:\"a\"\n\"V\"=sz:\"b\"\n",
    };
    for (const char* text : cases)
        EXPECT_FALSE(lv::parse_hive(text).has_value()) << text;
    EXPECT_TRUE(lv::parse_hive("; comment only\n\n").has_value());
}

// A writer killed at any moment leaves the old or the new state, never a broken hive.
TEST_F(RegistryTest, KilledWriterNeverLeavesAHalfWrittenHive) {
    HKEY key = create(HKEY_CURRENT_USER, "Software\\Crash");
    set_dword(key, "Counter", 0);
    RegCloseKey(key);
    DWORD progress = 0;
    for (int round = 0; round < 4; ++round) {
        pid_t child = ::fork();
        if (child == 0) {
            HKEY k = nullptr;
            RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Crash", 0, KEY_ALL_ACCESS, &k);
            std::vector<BYTE> blob(64 * 1024);
            for (DWORD i = 1;; ++i) {
                std::fill(blob.begin(), blob.end(), static_cast<BYTE>(i));
                RegSetValueExA(k, "Blob", 0, REG_BINARY, blob.data(),
                               static_cast<DWORD>(blob.size()));
                RegSetValueExA(k, "Counter", 0, REG_DWORD, reinterpret_cast<BYTE*>(&i), 4);
            }
        }
        // Kill it while it writes: after it has written at least once more (on a loaded
        // machine that can take a while), at a different moment each round.
        DWORD before = progress;
        for (int wait = 0; wait < 1000; ++wait) {
            HKEY probe = nullptr;
            DWORD now = 0;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Crash", 0, KEY_READ, &probe) == ERROR_SUCCESS) {
                query_dword(probe, "Counter", now);
                RegCloseKey(probe);
            }
            if (now > before)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(3 + 7 * round));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);

        auto parsed = lv::parse_hive(read_text(hive_file("HKEY_CURRENT_USER.reg")));
        ASSERT_TRUE(parsed.has_value()) << "round " << round;
        HKEY k = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Crash", 0, KEY_READ, &k),
                  ERROR_SUCCESS);
        DWORD counter = 0;
        EXPECT_EQ(query_dword(k, "Counter", counter), ERROR_SUCCESS);
        progress = std::max(progress, counter);
        std::vector<BYTE> blob(64 * 1024);
        DWORD size = static_cast<DWORD>(blob.size()), type = 0;
        LONG status_blob = RegQueryValueExA(k, "Blob", nullptr, &type, blob.data(), &size);
        if (status_blob == ERROR_SUCCESS) {
            EXPECT_EQ(size, blob.size());
            // The blob is written before the counter: it carries the counter's value or the next.
            EXPECT_TRUE(
                std::all_of(blob.begin(), blob.end(), [&](BYTE b) { return b == blob[0]; }));
            BYTE low = static_cast<BYTE>(counter);
            EXPECT_TRUE(blob[0] == low || blob[0] == static_cast<BYTE>(low + 1));
        } else {
            EXPECT_EQ(counter, 0u);
        }
        RegCloseKey(k);
    }
    EXPECT_GT(progress, 0u); // the writers did get to write
}

TEST_F(RegistryTest, InterleavedWritersLoseNothing) {
    RegCloseKey(create(HKEY_LOCAL_MACHINE, "Software\\Shared"));
    const int per_writer = 40;
    std::vector<pid_t> children;
    for (char prefix : {'A', 'B', 'C'}) {
        pid_t child = ::fork();
        if (child == 0) {
            HKEY k = nullptr;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Shared", 0, KEY_SET_VALUE, &k))
                ::_exit(1);
            for (DWORD i = 0; i < per_writer; ++i) {
                std::string name = std::string(1, prefix) + std::to_string(i);
                if (RegSetValueExA(k, name.c_str(), 0, REG_DWORD, reinterpret_cast<BYTE*>(&i), 4))
                    ::_exit(2);
            }
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Shared", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    for (char prefix : {'A', 'B', 'C'}) {
        for (DWORD i = 0; i < per_writer; ++i) {
            std::string name = std::string(1, prefix) + std::to_string(i);
            DWORD number = 99;
            EXPECT_EQ(query_dword(key, name.c_str(), number), ERROR_SUCCESS) << name;
            EXPECT_EQ(number, i);
        }
    }
    RegCloseKey(key);
}

} // namespace
