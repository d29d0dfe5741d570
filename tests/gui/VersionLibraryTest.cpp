// The version check with the system's real version library.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "gui/InspectionSteps.h"
#include "gui/TestServices.h"
#include "inspect/VersionDllSource.h"
#include "inspect/VersionSummary.h"
#include "support/VersionBlockBytes.h"

namespace {

// Memory for a version block whose end touches reserved, inaccessible pages,
// so that the first read or write past the block faults: as far past it as
// the library can reach (the ANSI reader writes up to twice the block's
// 16-bit length from its start).
class GuardedBlock {
public:
    GuardedBlock() = default;
    ~GuardedBlock() { Free(); }
    GuardedBlock(const GuardedBlock&) = delete;
    GuardedBlock& operator=(const GuardedBlock&) = delete;

    // `size` zeroed bytes ending at the guard; those given before are freed.
    std::span<unsigned char> Take(std::size_t size)
    {
        Free();
        SYSTEM_INFO system{};
        ::GetSystemInfo(&system);
        const std::size_t committed = (size + system.dwPageSize - 1) / system.dwPageSize * system.dwPageSize;
        m_pBase = ::VirtualAlloc(nullptr, committed + kMaxVersionBlockBytes, MEM_RESERVE, PAGE_NOACCESS);
        if (!m_pBase || !::VirtualAlloc(m_pBase, committed, MEM_COMMIT, PAGE_READWRITE)) {
            ADD_FAILURE() << "no guarded memory of " << size << " bytes: error " << ::GetLastError();
            return {};
        }
        return {static_cast<unsigned char*>(m_pBase) + committed - size, size};
    }

private:
    void Free()
    {
        if (m_pBase)
            ::VirtualFree(m_pBase, 0, MEM_RELEASE);
    }

    void* m_pBase = nullptr;
};

// A copy of the fixture that has no version resource, given `block` as one.
std::string LibraryWithVersion(TempTree& tree, const std::string& name, const std::string& block)
{
    tree.CopyIn(Fixture("version_absent"), name);
    const std::string path = tree.Root() + "\\" + name;
    const HANDLE hUpdate = ::BeginUpdateResourceA(path.c_str(), FALSE);
    EXPECT_TRUE(hUpdate) << path;
    EXPECT_TRUE(::UpdateResourceA(hUpdate, RT_VERSION, MAKEINTRESOURCEA(VS_VERSION_INFO),
                                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), const_cast<char*>(block.data()),
                                  static_cast<DWORD>(block.size())));
    EXPECT_TRUE(::EndUpdateResourceA(hUpdate, FALSE));
    return path;
}

VersionNode& Description(VersionNode& root)
{
    return root.children[0].children[0].children[0];
}

}  // namespace

TEST(VersionLibrary, ACraftedBlockGivesNoSummaryAndTheLibraryStaysInsideIt)
{
    struct Case {
        const char* what;
        BlockForm form;
        std::function<void(VersionNode&)> change;
        bool summary;
        // The resource's size, when more than the block's.
        std::size_t resourceBytes = 0;
    };
    constexpr BlockForm ansi = BlockForm::Ansi;
    constexpr BlockForm unicode = BlockForm::Unicode;
    const Case table[] = {
        {"sound", unicode, [](VersionNode&) {}, true},
        {"sound", ansi, [](VersionNode&) {}, true},
        // The ANSI reader would copy its texts behind 0x8000 bytes.
        {"root claims 0x8000 bytes, the resource holds 524", unicode, [](VersionNode& t) { t.length = 0x8000; },
         false, 524},
        // The reader would step from the first child to one far past the block.
        {"root and first child claim 0x8000 bytes", ansi,
         [](VersionNode& t) {
             t.length = 0x8000;
             t.children[0].length = 0x7F00;
         },
         false},
        {"child past its parent", unicode, [](VersionNode& t) { t.children[1].length = 0x200; }, false},
        {"table past its parent", ansi, [](VersionNode& t) { t.children[0].children[0].length = 0x180; }, false},
        {"text past its node", unicode, [](VersionNode& t) { Description(t).valueLength = 0x7FFF; }, false},
        {"translation past its node", ansi, [](VersionNode& t) { t.children[1].children[0].valueLength = 0x7FFF; },
         false},
    };
    TempTree tree;
    StandInRedirection redirection;
    VersionDllSource versions{DllLoader::System(), redirection};
    GuardedBlock guarded;
    int n = 0;
    for (const Case& c : table) {
        VersionNode root = SampleVersionTree();
        c.change(root);
        std::string block = VersionBlockBytes(root, c.form);
        block.resize(std::max(block.size(), c.resourceBytes));
        const std::string path = LibraryWithVersion(tree, "crafted" + std::to_string(++n) + ".dll", block);
        const auto summary = FormatVersionSummary(versions, path, [&](std::size_t size) { return guarded.Take(size); });
        EXPECT_EQ(summary, c.summary ? std::optional<std::string>(kSampleSummary) : std::nullopt)
            << c.what << (c.form == unicode ? " (Unicode)" : " (ANSI)");
    }
}

TEST(VersionLibrary, ReadsTheBlockOfEveryLibraryAndProgramOfTheSystemFolder)
{
    char system[MAX_PATH];
    ::GetSystemDirectoryA(system, MAX_PATH);
    char program[MAX_PATH];
    ::GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::vector<std::string> paths{program};
    for (const char* pattern : {"\\*.dll", "\\*.exe"}) {
        WIN32_FIND_DATAA found;
        const HANDLE hFind = ::FindFirstFileA((std::string(system) + pattern).c_str(), &found);
        ASSERT_NE(hFind, INVALID_HANDLE_VALUE);
        do
            paths.push_back(std::string(system) + "\\" + found.cFileName);
        while (::FindNextFileA(hFind, &found));
        ::FindClose(hFind);
    }
    StandInRedirection redirection;
    VersionDllSource versions{DllLoader::System(), redirection};
    int blocks = 0;
    for (const std::string& path : paths) {
        if (versions.BlockSize(path) == 0)
            continue;
        ++blocks;
        EXPECT_NE(FormatVersionSummary(versions, path), std::nullopt) << path;
    }
    EXPECT_GT(blocks, 100);
}
