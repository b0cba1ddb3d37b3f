// The version records of the program files, as Windows reads them: one
// version, in US English, for the programs and the library alike, naming
// the sources they were built from.
#include "RunningDialog.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(VersionRecord, IsOnePointZeroPointZeroPointOneInUsEnglishInEveryFile)
{
    for (const char *file : {"PelmoraConfig.exe", "PelmoraCtl.exe", "OvMohReg.dll"}) {
        SCOPED_TRACE(file);
        const std::string path = besideThisProgram(file);
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
        ASSERT_GT(size, 0u);
        std::vector<char> data(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, data.data()));

        VS_FIXEDFILEINFO *fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void **>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
        EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
        EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
        EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);

        WORD *translation = nullptr;
        ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                                   reinterpret_cast<void **>(&translation), &length));
        EXPECT_EQ(translation[0], 0x0409);

        const auto text = [&](const char *name) {
            char *value = nullptr;
            const std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
            return VerQueryValueA(data.data(), key.c_str(), reinterpret_cast<void **>(&value), &length)
                ? std::string(value) : std::string("(missing)");
        };
        EXPECT_EQ(text("ProductName"), "Pelmora Config");
        EXPECT_EQ(text("OriginalFilename"), file);
        EXPECT_EQ(text("FileVersion"), EXPECTED_VERSION_TEXT);
        EXPECT_EQ(text("ProductVersion"), EXPECTED_VERSION_TEXT);
        EXPECT_EQ(text("Comments"), EXPECTED_BUILD_SOURCES);
    }
}

} // namespace
