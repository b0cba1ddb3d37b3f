// The version records of the program files, as Windows reads them: one
// version, in US English, for the programs and the library alike.
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

        char *productName = nullptr;
        ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\040904B0\\ProductName",
                                   reinterpret_cast<void **>(&productName), &length));
        EXPECT_STREQ(productName, "Pelmora Config");
        char *fileName = nullptr;
        ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\040904B0\\OriginalFilename",
                                   reinterpret_cast<void **>(&fileName), &length));
        EXPECT_STREQ(fileName, file);
    }
}

} // namespace
