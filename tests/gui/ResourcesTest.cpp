#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <ostream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "framework/Afx.h"
#include "res/HomePage.h"
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
    T Peek() const
    {
        T value;
        std::memcpy(&value, m_data + m_offset, sizeof value);
        return value;
    }
    template <typename T = WORD>
    T Read()
    {
        const T value = Peek<T>();
        m_offset += sizeof value;
        return value;
    }
    short Short() { return Read<short>(); }
    DWORD Dword() { return Read<DWORD>(); }
    void Skip(size_t bytes) { m_offset += bytes; }
    // A class or title field: an ordinal (0xFFFF, value), shown as "#value", or a terminated text.
    std::string Text()
    {
        if (Peek() == 0xFFFF) {
            Skip(sizeof(WORD));
            return '#' + std::to_string(Read());
        }
        std::string text;
        for (WORD c; (c = Read()) != 0;)
            text.push_back(static_cast<char>(c));
        return text;
    }
    void AlignToDword() { m_offset = (m_offset + 3) & ~size_t{3}; }

private:
    const BYTE* m_data;
    size_t m_offset = 0;
};

struct Control {
    short id;
    std::string className;
    std::string text;
    DWORD style;
    std::array<short, 4> rect;  // x, y, cx, cy
};

// Window class names are compared without regard to case.
bool operator==(const Control& a, const Control& b)
{
    return std::tie(a.id, a.text, a.style, a.rect) == std::tie(b.id, b.text, b.style, b.rect) &&
           ::lstrcmpiA(a.className.c_str(), b.className.c_str()) == 0;
}

std::ostream& operator<<(std::ostream& out, const Control& c)
{
    return out << c.id << ' ' << c.className << " \"" << c.text << "\" 0x" << std::hex << c.style << std::dec << ' '
               << c.rect[0] << ',' << c.rect[1] << ' ' << c.rect[2] << 'x' << c.rect[3];
}

// A template's header as one text ("style exStyle x y cx cy menu|class|title points [weight italic charset]
// font") and its controls.
struct Template {
    std::string header;
    std::vector<Control> controls;
};

// Reads a classic template or an extended one (DLGTEMPLATEEX).
Template ReadTemplate(int id)
{
    Template result;
    const BYTE* data = Resource(RT_DIALOG, MAKEINTRESOURCEA(id));
    if (!data)
        return result;
    FieldReader reader(data);
    const bool extended = reader.Peek<DWORD>() == 0xFFFF0001;  // version 1, signature 0xFFFF
    if (extended)
        reader.Skip(sizeof(DWORD));
    // Classic: the style, then the extended style; extended: a help id, the extended style, then the style.
    const auto readStyles = [&] {
        if (extended)
            reader.Dword();
        const DWORD first = reader.Dword(), second = reader.Dword();
        return extended ? std::pair{second, first} : std::pair{first, second};
    };
    const auto [style, exStyle] = readStyles();
    const WORD count = reader.Read();
    std::ostringstream header;
    header << std::hex << style << ' ' << exStyle << std::dec;
    for (int i = 0; i < 4; ++i)
        header << ' ' << reader.Short();
    header << ' ' << reader.Text() << '|' << reader.Text() << '|' << reader.Text() << ' ' << reader.Read();
    if (extended)
        header << ' ' << reader.Read() << ' ' << int{reader.Read<BYTE>()} << ' ' << int{reader.Read<BYTE>()};
    header << ' ' << reader.Text();
    result.header = header.str();

    for (WORD i = 0; i < count; ++i) {
        reader.AlignToDword();
        const auto [controlStyle, controlExStyle] = readStyles();
        EXPECT_EQ(controlExStyle, 0u) << i;
        Control control{0, "", "", controlStyle, reader.Read<std::array<short, 4>>()};
        control.id = extended ? static_cast<short>(reader.Dword()) : reader.Short();
        control.className = reader.Text();
        control.text = reader.Text();
        EXPECT_EQ(reader.Read(), 0) << i;  // no creation data
        result.controls.push_back(control);
    }
    return result;
}

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

std::string VersionText(const std::vector<BYTE>& block, const char* name)
{
    char* text = nullptr;
    UINT chars = 0;
    std::string key = "\\StringFileInfo\\040904b0\\";
    key += name;
    return ::VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&text), &chars) ? text : "";
}

}  // namespace

TEST(Resources, DialogTemplatesAreExactlyAsDesigned)
{
    const Template main = ReadTemplate(IDD_MAIN);
    EXPECT_EQ(main.header, "90c800c0 40000 0 0 390 319 ||Vorlane 8 0 0 1 MS Sans Serif");
    EXPECT_EQ(main.controls, (std::vector<Control>{
        {IDC_FILE_LIST, "SysListView32", "List2", 0x50811509, {3, 4, 383, 209}},
        {-1, "Button", " File Properties ", 0x50000207, {3, 217, 383, 45}},
        {IDC_FILE_DETAILS, "Static", "", 0x50020080, {12, 234, 366, 24}},
        {IDC_FILE_NAME, "Static", "", 0x50020080, {12, 224, 322, 8}},
        {-1, "Button", " Is File Protected ", 0x50000107, {3, 264, 383, 30}},
        {IDC_CHECK_PATH, "Edit", "", 0x50810080, {9, 274, 257, 14}},
        {IDC_BROWSE, "Button", "Browse", 0x50010000, {273, 274, 50, 14}},
        {IDC_CHECK, "Button", "Check", 0x50010000, {329, 274, 50, 14}},
        {IDC_SEARCH_TEXT, "Edit", "", 0x50810080, {133, 299, 133, 14}},
        {IDC_SEARCH, "Button", "Search", 0x50010000, {273, 299, 50, 14}},
        {IDCANCEL, "Button", "Close", 0x50010000, {329, 299, 50, 14}},
        {IDC_LOGO, "Static", "", 0x50020100, {5, 299, 83, 16}},
    }));
    // The About box's is a classic template: no weight, italic or charset.
    const Template about = ReadTemplate(IDD_ABOUTBOX);
    EXPECT_EQ(about.header, "80c800c0 0 0 0 216 90 ||About Vorlane 8 MS Sans Serif");
    EXPECT_EQ(about.controls, (std::vector<Control>{
        {-1, "Static", "#133", 0x50000803, {15, 13, 20, 20}},
        {IDC_ABOUT_TITLE, "Static", "Vorlane v1.1", 0x50020080, {61, 9, 150, 8}},
        {-1, "Static", "Copyright (C) 2026 Halvory", 0x50020000, {15, 53, 190, 8}},
        {IDOK, "Button", "OK", 0x50030001, {160, 72, 50, 14}},
        {-1, "Static", "Lists the files that Windows protects", 0x50020000, {61, 29, 144, 8}},
        {-1, "Static", "", 0x50000010, {2, 67, 212, 1}},
        {IDC_HOME_LINK, "Static", HOME_PAGE_URL, 0x50020000, {61, 41, 84, 8}},
        {-1, "Static", "", 0x50000010, {61, 24, 153, 1}},
    }));
}

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
    EXPECT_NE(manifest.find("name=\"Halvory.Vorlane.Vorlane.exe\" version=\"1.1.0.3\" " + architecture),
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
    EXPECT_EQ(std::tie(fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                       fixed->dwProductVersionLS, fixed->dwFileOS, fixed->dwFileType),
              std::make_tuple(0x00010001ul, 3ul, 0x00010001ul, 3ul, DWORD{VOS__WINDOWS32}, DWORD{VFT_APP}));
    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                                 &length));
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04b0);

    EXPECT_EQ(VersionText(block, "FileVersion"), "1.1.0.3");
    EXPECT_EQ(VersionText(block, "ProductVersion"), "1.1.0.3");
    EXPECT_EQ(VersionText(block, "InternalName"), "Vorlane");
    EXPECT_EQ(VersionText(block, "OriginalFilename"), "Vorlane.exe");
    EXPECT_EQ(VersionText(block, "FileDescription"), "Lists the files that Windows protects");
    EXPECT_EQ(VersionText(block, "ProductName"), "Lists the files that Windows protects");
}
