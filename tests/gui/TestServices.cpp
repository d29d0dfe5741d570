#include "gui/TestServices.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <cctype>
#include <mutex>

bool StandInRedirection::OffOnThisThread() const
{
    const std::lock_guard<CCriticalSection> lock(m_lock);
    return m_offThreads.count(::GetCurrentThreadId()) != 0;
}

bool StandInRedirection::OffAnywhere() const
{
    const std::lock_guard<CCriticalSection> lock(m_lock);
    return !m_offThreads.empty();
}

bool StandInRedirection::TurnOff(void*& previous)
{
    const std::lock_guard<CCriticalSection> lock(m_lock);
    ++turnedOff;
    previous = this;
    return m_offThreads.insert(::GetCurrentThreadId()).second;
}

void StandInRedirection::TurnOn(void* previous)
{
    const std::lock_guard<CCriticalSection> lock(m_lock);
    EXPECT_EQ(previous, this);
    m_offThreads.erase(::GetCurrentThreadId());
}

BlockingProtection::BlockingProtection()
    : m_entered(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_release(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_returned(::CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
}

BlockingProtection::~BlockingProtection()
{
    for (const HANDLE event : {m_entered, m_release, m_returned})
        ::CloseHandle(event);
}

bool BlockingProtection::NextProtectedFile(std::uint32_t& cursor, std::string& path)
{
    path = "C:\\blocked\\file" + std::to_string(cursor++) + ".dll";
    return Block();
}

bool BlockingProtection::Block()
{
    ::SetEvent(m_entered);
    ::WaitForSingleObject(m_release, 60000);
    ::SetEvent(m_returned);
    return false;
}

GatedProtection::GatedProtection(std::uint32_t count)
    : m_count(count),
      m_permits(::CreateSemaphoreA(nullptr, 0, 0x7FFFFFFF, nullptr)),
      m_open(::CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
}

GatedProtection::~GatedProtection()
{
    ::CloseHandle(m_permits);
    ::CloseHandle(m_open);
}

std::string GatedProtection::PathOf(std::uint32_t n)
{
    return "C:\\gated\\file" + std::to_string(n) + ".dll";
}

bool GatedProtection::NextProtectedFile(std::uint32_t& cursor, std::string& path)
{
    ++calls;
    if (cursor >= m_count)
        return false;
    // A test that forgets to let rows through fails its wait, never hangs.
    const HANDLE gates[] = {m_open, m_permits};
    if (::WaitForMultipleObjects(2, gates, FALSE, 60000) == WAIT_TIMEOUT)
        return false;
    path = PathOf(cursor++);
    return true;
}

StandInTrust::StandInTrust()
    : m_permits(::CreateSemaphoreA(nullptr, 0, 0x7FFFFFFF, nullptr)),
      m_open(::CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
}

StandInTrust::~StandInTrust()
{
    ::CloseHandle(m_permits);
    ::CloseHandle(m_open);
}

FileVerification StandInTrust::Verify(const std::string& path, SeenFiles&)
{
    ++calls;
    // A test that forgets to let files through fails its wait, never hangs.
    const HANDLE gates[] = {m_open, m_permits};
    const bool stuck = gated && ::WaitForMultipleObjects(2, gates, FALSE, 60000) == WAIT_TIMEOUT;
    const auto found = results.find(path);
    TrustResult result = stuck                    ? TrustResult{TrustKind::Unreadable, "", "the test let no file through", ""}
                         : found == results.end() ? otherwise
                                                  : found->second;
    std::string hash = path;
    for (char& c : hash)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto described = descriptions.find(path);
    ++returned;
    return {result, hash, described == descriptions.end() ? FileDescription{} : described->second};
}

namespace {

BOOL Choose(OPENFILENAMEW& record, const std::wstring& chosen)
{
    if (chosen.empty())
        return FALSE;
    ::lstrcpynW(record.lpstrFile, chosen.c_str(), static_cast<int>(record.nMaxFile));
    return TRUE;
}

}  // namespace

BOOL StandInFileDialogs::GetOpenFileName(OPENFILENAMEW& record)
{
    opened.push_back(record);
    return Choose(record, chosen);
}

BOOL StandInFileDialogs::GetSaveFileName(OPENFILENAMEW& record)
{
    saved.push_back(record);
    return Choose(record, chosen);
}

void TestServices::ListFiles(int count)
{
    protection.listed.clear();
    for (int n = 0; n < count; ++n)
        protection.listed.push_back("C:\\WINDOWS\\system32\\file" + std::to_string(n) + ".dll");
}

TempTree::TempTree()
{
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    m_root = std::string(base) + "vorlane-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
             std::to_string(::GetTickCount());
    ::CreateDirectoryA(m_root.c_str(), nullptr);
}

TempTree::~TempTree()
{
    std::string from = m_root;
    from.push_back('\0');  // the operation takes a double-terminated list
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationA(&operation);
}

void TempTree::AddFile(const std::string& relative, DWORD attributes)
{
    std::string path = m_root;
    size_t start = 0;
    for (size_t slash; (slash = relative.find('\\', start)) != std::string::npos; start = slash + 1)
        ::CreateDirectoryA((m_root + "\\" + relative.substr(0, slash)).c_str(), nullptr);
    path += "\\" + relative;
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    ::CloseHandle(file);
}

void TempTree::CopyIn(const std::string& from, const std::string& relative)
{
    ::CopyFileA(from.c_str(), (m_root + "\\" + relative).c_str(), FALSE);
}

std::string TrustSample(const std::string& name)
{
    char self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self, length < MAX_PATH ? length : 0);
    path.resize(path.find_last_of('\\'));
    path.resize(path.find_last_of('\\') + 1);
    return path + "demo\\trust-samples\\" + name;
}
