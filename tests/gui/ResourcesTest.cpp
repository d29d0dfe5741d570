#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "framework/Afx.h"
#include "res/Version.h"
#include "res/resource.h"

namespace {

const BYTE* Resource(LPCSTR type, LPCSTR name, DWORD* size = nullptr)
{
    const HMODULE module = ::GetModuleHandleA(nullptr);
    const HRSRC found = ::FindResourceA(module, name, type);
    if (found && size)
        *size = ::SizeofResource(module, found);
    return found ? static_cast<const BYTE*>(::LockResource(::LoadResource(module, found))) : nullptr;
}

// Reads a resource's little-endian fields in order.
class FieldReader {
public:
    explicit FieldReader(const BYTE* data) : m_data(data) {}

    template <typename T = WORD>
    T Read()
    {
        T value;
        std::memcpy(&value, m_data + m_offset, sizeof value);
        m_offset += sizeof value;
        return value;
    }
    void Skip(size_t bytes) { m_offset += bytes; }

private:
    const BYTE* m_data;
    size_t m_offset = 0;
};

// (width, bits per pixel) of each image of icon group `id`, in order.
std::vector<std::pair<int, int>> IconImages(int id)
{
    std::vector<std::pair<int, int>> images;
    const BYTE* data = Resource(RT_GROUP_ICON, MAKEINTRESOURCEA(id));
    if (!data)
        return images;
    FieldReader reader(data);
    reader.Skip(2 * sizeof(WORD));  // reserved, type
    const WORD count = reader.Read();
    for (WORD i = 0; i < count; ++i) {
        const BYTE width = reader.Read<BYTE>();
        reader.Skip(3 + sizeof(WORD));  // height, colour count, reserved, planes
        const WORD bitCount = reader.Read();
        reader.Skip(sizeof(DWORD) + sizeof(WORD));  // bytes in the image, its id
        images.emplace_back(width, bitCount);
    }
    return images;
}

// The version's four numbers, from project(VERSION) through the generated header.
constexpr WORD kVersion[] = {VORLANE_VERSION};

std::string VersionText(const std::vector<BYTE>& block, const char* name)
{
    char* text = nullptr;
    UINT chars = 0;
    std::string key = "\\StringFileInfo\\040904b0\\";
    key += name;
    return ::VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&text), &chars) ? text : "";
}

}  // namespace

TEST(Resources, StringTableHoldsTheAboutEntryAndTheIconGroupsTheirImages)
{
    char text[64] = {};
    EXPECT_EQ(::LoadStringA(::GetModuleHandleA(nullptr), IDS_ABOUTBOX, text, sizeof text), 17);
    EXPECT_STREQ(text, "&About Vorlane...");
    using Images = std::vector<std::pair<int, int>>;
    EXPECT_EQ(IconImages(IDR_MAINFRAME),
              (Images{{32, 8}, {24, 8}, {16, 8}, {72, 32}, {48, 32}, {32, 32}, {24, 32}, {16, 32}}));
    EXPECT_EQ(IconImages(IDI_ABOUT), (Images{{48, 8}, {48, 32}}));
}

TEST(Resources, ManifestAsksForCommonControls6OfTheProgramsArchitecture)
{
    DWORD size = 0;
    const BYTE* data = Resource(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1), &size);
    ASSERT_NE(data, nullptr);
    const std::string manifest(reinterpret_cast<const char*>(data), size);
#ifdef _WIN64
    const std::string architecture = "processorArchitecture=\"amd64\"";
#else
    const std::string architecture = "processorArchitecture=\"x86\"";
#endif
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" " + architecture +
                            " publicKeyToken=\"6595b64144ccf1df\" language=\"*\""),
              std::string::npos);
    EXPECT_NE(
        manifest.find("name=\"Halvory.Vorlane.Vorlane.exe\" version=\"" VORLANE_VERSION_TEXT "\" " + architecture),
        std::string::npos);
    EXPECT_NE(manifest.find("<description>Vorlane</description>"), std::string::npos);
}

TEST(Resources, VersionResourceNamesTheProgramWithTheAboutBoxDescription)
{
    char path[MAX_PATH];
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    std::vector<BYTE> block(::GetFileVersionInfoSizeA(path, &handle));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(::GetFileVersionInfoA(path, 0, static_cast<DWORD>(block.size()), block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    const DWORD high = MAKELONG(kVersion[1], kVersion[0]), low = MAKELONG(kVersion[3], kVersion[2]);
    EXPECT_EQ(std::tie(fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                       fixed->dwProductVersionLS, fixed->dwFileOS, fixed->dwFileType),
              std::make_tuple(high, low, high, low, DWORD{VOS__WINDOWS32}, DWORD{VFT_APP}));
    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                                 &length));
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04b0);

    EXPECT_EQ(VersionText(block, "FileVersion"), VORLANE_VERSION_TEXT);
    EXPECT_EQ(VersionText(block, "ProductVersion"), VORLANE_VERSION_TEXT);
    EXPECT_EQ(VersionText(block, "InternalName"), "Vorlane");
    EXPECT_EQ(VersionText(block, "OriginalFilename"), "Vorlane.exe");
    EXPECT_EQ(VersionText(block, "FileDescription"), "Lists the files that Windows protects");
    EXPECT_EQ(VersionText(block, "ProductName"), "Lists the files that Windows protects");
}
