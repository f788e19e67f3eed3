#include "mfc/mfc.h"
#include "testing/answers.h"

#include "tests/platform/system/layer_root_fixture.h"
#include "tests/support/scoped_env.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

namespace {

class CFileTest : public lvtest::LayerRootTest {
protected:
    void SetUp() override {
        LayerRootTest::SetUp();
        ASSERT_TRUE(CreateDirectoryA("C:\\data", nullptr));
        lv::testing::clear_answers();
    }
    void TearDown() override {
        lv::testing::clear_answers();
        LayerRootTest::TearDown();
    }
    std::string host_bytes(const std::string& name) const {
        std::ifstream in(drive_c() / "data" / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Runs operation and returns the cause of the CFileException it throws (-1: none).
    template <typename F> static int cause_of(F operation) {
        try {
            operation();
        } catch (CFileException* e) {
            const int cause = e->m_cause;
            e->Delete();
            return cause;
        }
        return -1;
    }
};

TEST_F(CFileTest, WriteReadAndSeekRoundTrip) {
    {
        CFile out;
        ASSERT_TRUE(out.Open("C:\\data\\theme.dat",
                             CFile::modeCreate | CFile::modeWrite | CFile::shareDenyRead));
        out.Write("QJV,", 4);
        out.Write("Quillmore", 9);
        out.Write("", 0);
        EXPECT_EQ(out.GetPosition(), 13u);
        EXPECT_EQ(out.GetFilePath(), "C:\\data\\theme.dat");
        EXPECT_EQ(out.GetFileName(), "theme.dat");
        out.Flush();
        out.Close();
        EXPECT_EQ(out.m_hFile, INVALID_HANDLE_VALUE);
    }
    EXPECT_EQ(host_bytes("theme.dat"), "QJV,Quillmore");

    CFile in("C:\\data\\theme.dat", CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary);
    EXPECT_EQ(in.GetLength(), 13u);
    char buffer[32] = {};
    EXPECT_EQ(in.Read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "QJV,");
    EXPECT_EQ(in.Read(buffer, sizeof buffer), 9u); // short read at the end
    EXPECT_EQ(in.Read(buffer, sizeof buffer), 0u);
    EXPECT_EQ(in.Seek(-4, CFile::end), 9u);
    EXPECT_EQ(in.Read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "more");
    EXPECT_EQ(in.Seek(2, CFile::begin), 2u);
    EXPECT_EQ(in.Seek(3, CFile::current), 5u);
    EXPECT_EQ(in.GetPosition(), 5u);
    in.SeekToBegin();
    EXPECT_EQ(in.GetPosition(), 0u);
    EXPECT_EQ(in.SeekToEnd(), 13u);
}

TEST_F(CFileTest, CreateTruncatesUnlessNoTruncate) {
    std::ofstream(drive_c() / "data" / "log.txt") << "0123456789";
    {
        CFile keep("C:\\data\\log.txt",
                   CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
        EXPECT_EQ(keep.GetLength(), 10u);
        keep.SeekToEnd();
        keep.Write("AB", 2);
    }
    EXPECT_EQ(host_bytes("log.txt"), "0123456789AB");
    {
        CFile resize("C:\\data\\log.txt", CFile::modeReadWrite);
        resize.SetLength(4);
        EXPECT_EQ(resize.GetLength(), 4u);
        resize.SetLength(6);
        EXPECT_EQ(resize.GetLength(), 6u);
    }
    EXPECT_EQ(host_bytes("log.txt"), std::string("0123\0\0", 6));
    {
        CFile fresh("C:\\data\\log.txt", CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(fresh.GetLength(), 0u);
    }
    EXPECT_EQ(host_bytes("log.txt"), "");
}

TEST_F(CFileTest, OpenFailuresReportTheirCause) {
    std::ofstream(drive_c() / "data" / "present.bin") << "x";
    struct Case {
        const char* path;
        UINT flags;
        int cause;
        LONG os_error;
    };
    const Case cases[] = {
        {"C:\\data\\missing.bin", CFile::modeRead, CFileException::fileNotFound,
         ERROR_FILE_NOT_FOUND},
        {"C:\\nofolder\\x.bin", CFile::modeCreate | CFile::modeWrite, CFileException::badPath,
         ERROR_PATH_NOT_FOUND},
        {"C:\\data", CFile::modeRead, CFileException::accessDenied, ERROR_ACCESS_DENIED},
        {"", CFile::modeRead, CFileException::badPath, ERROR_PATH_NOT_FOUND},
    };
    for (const Case& c : cases) {
        CFile file;
        CFileException error;
        EXPECT_FALSE(file.Open(c.path, c.flags, &error)) << c.path;
        EXPECT_EQ(error.m_cause, c.cause) << c.path;
        EXPECT_EQ(error.m_lOsError, c.os_error) << c.path;
        EXPECT_EQ(file.m_hFile, INVALID_HANDLE_VALUE);
        EXPECT_EQ(cause_of([&] { CFile thrown(c.path, c.flags); }), c.cause) << c.path;
    }
    CFile file;
    EXPECT_FALSE(file.Open("C:\\data\\missing.bin", CFile::modeRead)); // no exception object
    EXPECT_TRUE(file.Open("C:\\data\\present.bin", CFile::modeRead));
}

TEST_F(CFileTest, FailedOperationsThrow) {
    CFile closed;
    EXPECT_EQ(cause_of([&] { closed.GetLength(); }), CFileException::invalidFile);
    char byte = 0;
    EXPECT_EQ(cause_of([&] { closed.Read(&byte, 1); }), CFileException::invalidFile);

    CFile out("C:\\data\\w.bin", CFile::modeCreate | CFile::modeWrite);
    EXPECT_EQ(cause_of([&] { out.Read(&byte, 1); }), CFileException::accessDenied);
    EXPECT_EQ(cause_of([&] { out.Seek(-1, CFile::begin); }), CFileException::badSeek);
    EXPECT_EQ(cause_of([&] { out.Seek(0, 7); }), CFileException::badSeek);
    EXPECT_EQ(cause_of([&] { out.Write("ok", 2); }), -1);

    EXPECT_EQ(cause_of([] { CFile::Remove("C:\\data\\none.bin"); }), CFileException::fileNotFound);
    EXPECT_EQ(cause_of([] { CFile::Rename("C:\\data\\none.bin", "C:\\data\\b.bin"); }),
              CFileException::fileNotFound);
    out.Close();
    EXPECT_EQ(cause_of([] { CFile::Rename("C:\\data\\w.bin", "C:\\data\\r.bin"); }), -1);
    EXPECT_EQ(host_bytes("r.bin"), "ok");
    EXPECT_EQ(cause_of([] { CFile::Remove("C:\\data\\r.bin"); }), -1);
    EXPECT_FALSE(std::filesystem::exists(drive_c() / "data" / "r.bin"));
}

TEST_F(CFileTest, ReportErrorShowsTheMessageWithTheAppName) {
    CFileException error;
    CFile file;
    ASSERT_FALSE(file.Open("C:\\data\\missing.bin", CFile::modeRead, &error));
    char text[128];
    ASSERT_TRUE(error.GetErrorMessage(text, sizeof text));
    EXPECT_STREQ(text, "C:\\data\\missing.bin was not found.");
    char small[8];
    ASSERT_TRUE(error.GetErrorMessage(small, sizeof small));
    EXPECT_STREQ(small, "C:\\data");

    CWinApp app("Amber Tides");
    lv::testing::push_message_box_answer(IDCANCEL);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(error.ReportError(MB_OKCANCEL | MB_ICONEXCLAMATION), IDCANCEL);
    EXPECT_EQ(CFileException(CFileException::diskFull).ReportError(), IDOK);
    ::testing::internal::GetCapturedStderr();
    const auto log = lv::testing::message_box_log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].text, "C:\\data\\missing.bin was not found.");
    EXPECT_EQ(log[0].caption, "Amber Tides");
    EXPECT_EQ(log[0].type, MB_OKCANCEL | MB_ICONEXCLAMATION);
    EXPECT_EQ(log[1].text, "The disk is full while accessing an unnamed file.");
    EXPECT_EQ(log[1].type, MB_OK);
}

// The class library's reports speak the user's language, as its own messages do.
TEST_F(CFileTest, ErrorMessagesSpeakTheUsersLanguage) {
    struct Case {
        const char* locale;
        int cause;
        const char* file;
        const char* text;
    };
    const Case cases[] = {
        {"ja_JP.UTF-8", CFileException::fileNotFound, "C:\\a.dat", "C:\\a.dat が見つかりません。"},
        {"ja_JP.UTF-8", CFileException::diskFull, "",
         "名前のないファイル へのアクセス中にディスクがいっぱいになりました。"},
        {"ko_KR.UTF-8", CFileException::accessDenied, "C:\\a.dat",
         "C:\\a.dat에 대한 액세스가 거부되었습니다."},
        {"ko_KR.UTF-8", CFileException::genericException, "C:\\a.dat",
         "C:\\a.dat에 액세스하는 동안 예기치 않은 오류가 발생했습니다."},
    };
    for (const Case& c : cases) {
        lvtest::ScopedEnv locale("LC_ALL", c.locale);
        char text[256];
        ASSERT_TRUE(CFileException(c.cause, 0, c.file).GetErrorMessage(text, sizeof text));
        EXPECT_STREQ(text, c.text) << c.locale;
    }
}

TEST_F(CFileTest, OsErrorsMapToCauses) {
    struct Case {
        LONG os_error;
        int cause;
    };
    const Case cases[] = {
        {NO_ERROR, CFileException::none},
        {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
        {ERROR_PATH_NOT_FOUND, CFileException::badPath},
        {ERROR_INVALID_NAME, CFileException::badPath},
        {ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles},
        {ERROR_ACCESS_DENIED, CFileException::accessDenied},
        {ERROR_INVALID_HANDLE, CFileException::invalidFile},
        {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
        {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
        {ERROR_DISK_FULL, CFileException::diskFull},
        {ERROR_HANDLE_EOF, CFileException::endOfFile},
        {ERROR_NOT_SUPPORTED, CFileException::genericException},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CFileException::OsErrorToException(c.os_error), c.cause) << c.os_error;
}

} // namespace
