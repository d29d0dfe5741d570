#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/Afx.h"
#include "res/HomePage.h"
#include "res/resource.h"

namespace {

// Reads the fields of a dialog template in order.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : m_data(data) {}

    WORD Word() { return Read<WORD>(); }
    DWORD Dword() { return Read<DWORD>(); }
    short Short() { return static_cast<short>(Word()); }
    // A class or title field: an ordinal (0xFFFF, value) or a terminated text.
    std::string Text()
    {
        if (Peek() == 0xFFFF) {
            Word();
            std::string ordinal(1, '#');
            ordinal += std::to_string(Word());
            return ordinal;
        }
        std::string text;
        for (WORD c; (c = Word()) != 0;)
            text.push_back(static_cast<char>(c));
        return text;
    }
    void AlignToDword() { m_offset = (m_offset + 3) & ~size_t{3}; }

private:
    WORD Peek() const
    {
        WORD value;
        std::memcpy(&value, m_data + m_offset, sizeof value);
        return value;
    }
    template <typename T>
    T Read()
    {
        T value;
        std::memcpy(&value, m_data + m_offset, sizeof value);
        m_offset += sizeof value;
        return value;
    }

    const BYTE* m_data;
    size_t m_offset = 0;
};

struct Control {
    short id;
    std::string className;
    std::string text;
    DWORD style;
    short x, y, cx, cy;
};

const BYTE* Resource(LPCSTR type, LPCSTR name, DWORD* size = nullptr)
{
    const HMODULE module = ::GetModuleHandleA(nullptr);
    const HRSRC found = ::FindResourceA(module, name, type);
    if (!found)
        return nullptr;
    if (size)
        *size = ::SizeofResource(module, found);
    return static_cast<const BYTE*>(::LockResource(::LoadResource(module, found)));
}

// The standard classes that templates may name by ordinal.
std::string ClassName(const std::string& text)
{
    if (text == "#128")
        return "Button";
    if (text == "#129")
        return "Edit";
    if (text == "#130")
        return "Static";
    return text;
}

// (width, bits per pixel) of each image of icon group `id`, in order.
std::vector<std::pair<int, int>> IconImages(int id)
{
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colorCount, reserved;
        WORD planes, bitCount;
        DWORD bytesInRes;
        WORD id;
    };
#pragma pack(pop)
    std::vector<std::pair<int, int>> images;
    const BYTE* data = Resource(RT_GROUP_ICON, MAKEINTRESOURCEA(id));
    if (!data)
        return images;
    WORD count;
    std::memcpy(&count, data + 4, sizeof count);
    for (WORD i = 0; i < count; ++i) {
        GroupEntry entry;
        std::memcpy(&entry, data + 6 + i * sizeof entry, sizeof entry);
        images.emplace_back(entry.width, entry.bitCount);
    }
    return images;
}

}  // namespace

TEST(Resources, MainDialogTemplateIsExactlyAsDesigned)
{
    const BYTE* data = Resource(RT_DIALOG, MAKEINTRESOURCEA(IDD_MAIN));
    ASSERT_NE(data, nullptr);
    TemplateReader reader(data);
    EXPECT_EQ(reader.Word(), 1);       // version
    EXPECT_EQ(reader.Word(), 0xFFFF);  // extended template
    reader.Dword();                    // help id
    EXPECT_EQ(reader.Dword(), 0x00040000u);
    EXPECT_EQ(reader.Dword(), 0x90C800C0u);
    const WORD count = reader.Word();
    EXPECT_EQ(reader.Short(), 0);
    EXPECT_EQ(reader.Short(), 0);
    EXPECT_EQ(reader.Short(), 390);
    EXPECT_EQ(reader.Short(), 319);
    EXPECT_EQ(reader.Text(), "");  // menu
    EXPECT_EQ(reader.Text(), "");  // class
    EXPECT_EQ(reader.Text(), "Vorlane");
    EXPECT_EQ(reader.Word(), 8);
    EXPECT_EQ(reader.Word(), 0);  // weight
    const WORD italicAndCharset = reader.Word();
    EXPECT_EQ(italicAndCharset & 0xFF, 0);
    EXPECT_EQ(italicAndCharset >> 8, DEFAULT_CHARSET);
    EXPECT_EQ(reader.Text(), "MS Sans Serif");

    const std::vector<Control> expected = {
        {IDC_FILE_LIST, "SysListView32", "List2", 0x50810509, 3, 4, 383, 209},
        {-1, "Button", " File Properties ", 0x50000207, 3, 217, 383, 45},
        {IDC_FILE_DETAILS, "Static", "", 0x50020000, 12, 234, 366, 24},
        {IDC_FILE_NAME, "Static", "", 0x50020000, 12, 224, 322, 8},
        {-1, "Button", " Is File Protected ", 0x50000107, 3, 264, 383, 30},
        {IDC_CHECK_PATH, "Edit", "", 0x50810080, 9, 274, 257, 14},
        {IDC_BROWSE, "Button", "Browse", 0x50010000, 273, 274, 50, 14},
        {IDC_CHECK, "Button", "Check", 0x50010000, 329, 274, 50, 14},
        {IDC_SEARCH_TEXT, "Edit", "", 0x50810080, 133, 299, 133, 14},
        {IDC_SEARCH, "Button", "Search", 0x50010000, 273, 299, 50, 14},
        {IDCANCEL, "Button", "Close", 0x50010000, 329, 299, 50, 14},
        {IDC_LOGO, "Static", "", 0x50020100, 5, 299, 83, 16},
    };
    ASSERT_EQ(count, expected.size());
    for (const Control& control : expected) {
        SCOPED_TRACE(control.id);
        reader.AlignToDword();
        reader.Dword();  // help id
        EXPECT_EQ(reader.Dword(), 0u);
        EXPECT_EQ(reader.Dword(), control.style);
        EXPECT_EQ(reader.Short(), control.x);
        EXPECT_EQ(reader.Short(), control.y);
        EXPECT_EQ(reader.Short(), control.cx);
        EXPECT_EQ(reader.Short(), control.cy);
        EXPECT_EQ(static_cast<short>(reader.Dword()), control.id);
        // Window class names are compared without regard to case.
        EXPECT_STRCASEEQ(ClassName(reader.Text()).c_str(), control.className.c_str());
        EXPECT_EQ(reader.Text(), control.text);
        EXPECT_EQ(reader.Word(), 0);  // no creation data
    }
}

TEST(Resources, StringTableHoldsTheAboutEntry)
{
    char text[64] = {};
    EXPECT_EQ(::LoadStringA(::GetModuleHandleA(nullptr), IDS_ABOUTBOX, text, sizeof text), 17);
    EXPECT_STREQ(text, "&About Vorlane...");
}

TEST(Resources, IconGroupHasItsEightImages)
{
    const std::vector<std::pair<int, int>> expected = {{32, 8}, {24, 8}, {16, 8}, {72, 32},
                                                       {48, 32}, {32, 32}, {24, 32}, {16, 32}};
    EXPECT_EQ(IconImages(IDR_MAINFRAME), expected);
}

TEST(Resources, AboutIconHas48PixelImagesIn8And32Bits)
{
    const std::vector<std::pair<int, int>> expected = {{48, 8}, {48, 32}};
    EXPECT_EQ(IconImages(IDI_ABOUT), expected);
}

TEST(Resources, AboutTemplateIsAClassicTemplateExactlyAsDesigned)
{
    const BYTE* data = Resource(RT_DIALOG, MAKEINTRESOURCEA(IDD_ABOUTBOX));
    ASSERT_NE(data, nullptr);
    TemplateReader reader(data);
    EXPECT_EQ(reader.Dword(), 0x80C800C0u);  // style; a classic template starts with it
    EXPECT_EQ(reader.Dword(), 0u);
    const WORD count = reader.Word();
    EXPECT_EQ(reader.Short(), 0);
    EXPECT_EQ(reader.Short(), 0);
    EXPECT_EQ(reader.Short(), 216);
    EXPECT_EQ(reader.Short(), 90);
    EXPECT_EQ(reader.Text(), "");  // menu
    EXPECT_EQ(reader.Text(), "");  // class
    EXPECT_EQ(reader.Text(), "About Vorlane");
    EXPECT_EQ(reader.Word(), 8);
    EXPECT_EQ(reader.Text(), "MS Sans Serif");

    const std::vector<Control> expected = {
        {-1, "Static", "#133", 0x50000803, 15, 13, 20, 20},
        {IDC_ABOUT_TITLE, "Static", "Vorlane v1.1", 0x50020080, 61, 9, 150, 8},
        {-1, "Static", "Copyright (C) 2026 Halvory", 0x50020000, 15, 53, 190, 8},
        {IDOK, "Button", "OK", 0x50030001, 160, 72, 50, 14},
        {-1, "Static", "Lists the files that Windows protects", 0x50020000, 61, 29, 144, 8},
        {-1, "Static", "", 0x50000010, 2, 67, 212, 1},
        {IDC_HOME_LINK, "Static", HOME_PAGE_URL, 0x50020000, 61, 41, 84, 8},
        {-1, "Static", "", 0x50000010, 61, 24, 153, 1},
    };
    ASSERT_EQ(count, expected.size());
    for (const Control& control : expected) {
        SCOPED_TRACE(control.id);
        reader.AlignToDword();
        EXPECT_EQ(reader.Dword(), control.style);
        EXPECT_EQ(reader.Dword(), 0u);
        EXPECT_EQ(reader.Short(), control.x);
        EXPECT_EQ(reader.Short(), control.y);
        EXPECT_EQ(reader.Short(), control.cx);
        EXPECT_EQ(reader.Short(), control.cy);
        EXPECT_EQ(reader.Short(), control.id);
        EXPECT_STRCASEEQ(ClassName(reader.Text()).c_str(), control.className.c_str());
        EXPECT_EQ(reader.Text(), control.text);
        EXPECT_EQ(reader.Word(), 0);  // no creation data
    }
}

TEST(Resources, TheDescriptionMatchesTheVersionResource)
{
    char path[MAX_PATH];
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    std::vector<BYTE> block(::GetFileVersionInfoSizeA(path, &handle));
    ASSERT_TRUE(::GetFileVersionInfoA(path, 0, static_cast<DWORD>(block.size()), block.data()));
    char* text = nullptr;
    UINT chars = 0;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\FileDescription",
                                 reinterpret_cast<void**>(&text), &chars));
    EXPECT_STREQ(text, "Lists the files that Windows protects");
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
    EXPECT_NE(manifest.find("version=\"5.1.0.0\" " + architecture), std::string::npos);
    EXPECT_NE(manifest.find("<description>Vorlane</description>"), std::string::npos);
}

TEST(Resources, VersionResourceNamesTheProgram)
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
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000003u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000003u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                                 &length));
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04b0);

    const auto value = [&](const char* name) {
        char* text = nullptr;
        UINT chars = 0;
        const std::string key = std::string("\\StringFileInfo\\040904b0\\") + name;
        return ::VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&text), &chars) ? std::string(text)
                                                                                                    : std::string();
    };
    EXPECT_EQ(value("FileVersion"), "1.1.0.3");
    EXPECT_EQ(value("ProductVersion"), "1.1.0.3");
    EXPECT_EQ(value("InternalName"), "Vorlane");
    EXPECT_EQ(value("OriginalFilename"), "Vorlane.exe");
    EXPECT_FALSE(value("FileDescription").empty());
    EXPECT_EQ(value("ProductName"), value("FileDescription"));
}
