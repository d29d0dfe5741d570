#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "framework/DllLoader.h"
#include "framework/Handle.h"
#include "gui/TestServices.h"
#include "support/Concurrently.h"
#include "verify/FileSha256.h"
#include "verify/Sha256Hashing.h"

namespace {

using Way = Sha256Hashing::Way;
constexpr Way kWays[] = {Way::Cng, Way::CryptoApi};

std::unique_ptr<Sha256Hashing> Opened(Way way)
{
    unsigned error = 0;
    auto hashing = Sha256Hashing::Open(way, DllLoader::System(), error);
    EXPECT_TRUE(hashing) << WayName(way) << ": " << error;
    return hashing;
}

std::vector<unsigned char> Bytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

CHandle OpenedFile(const std::string& path, DWORD access = GENERIC_READ)
{
    return CHandle(::CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
}

// "HEX  name" a line, as tools/make-trust-samples.sh had openssl write them.
std::vector<std::pair<std::string, std::string>> OpensslSums()
{
    std::vector<std::pair<std::string, std::string>> sums;
    std::ifstream file(TrustSample("sha256.txt"));
    for (std::string line; std::getline(file, line);) {
        std::istringstream fields(line);
        std::string sum, name;
        fields >> sum >> name;
        sums.emplace_back(sum, name);
    }
    return sums;
}

// Three megabytes and a byte of 'a': more than two reads of the largest
// size and a short one. Its digest is openssl's.
constexpr std::size_t kLongBytes = 3000001;
constexpr char kLongSum[] = "71B1401C2645810A611615BAE0FCE7B308F0ED904A54AF8EC8BE0FE435581611";

std::string LongFile(const TempTree& folder)
{
    const std::string path = folder.Root() + "\\long.bin";
    std::ofstream(path, std::ios::binary) << std::string(kLongBytes, 'a');
    return path;
}

}  // namespace

TEST(Sha256Hashing, EachWayHashesEachSampleAsOpensslDid)
{
    const auto sums = OpensslSums();
    ASSERT_EQ(sums.size(), 14u);
    for (const Way way : kWays) {
        const auto hashing = Opened(way);
        ASSERT_TRUE(hashing);
        EXPECT_EQ(hashing->Which(), way);
        for (const auto& [sum, name] : sums) {
            std::string fromFile, fromBytes;
            EXPECT_EQ(hashing->OfFile(OpenedFile(TrustSample(name)), fromFile), 0u) << WayName(way) << " " << name;
            EXPECT_EQ(fromFile, sum) << WayName(way) << " " << name;
            EXPECT_EQ(hashing->OfBytes(Bytes(TrustSample(name)), fromBytes), 0u);
            EXPECT_EQ(fromBytes, sum) << WayName(way) << " " << name;
        }
    }
}

TEST(Sha256Hashing, EachWayHashesBytesAndWhatIsLeftOfAFileAcrossReads)
{
    struct Case {
        std::string bytes;
        const char* sum;
    };
    const Case cases[] = {
        {"", "E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855"},
        {"abc", "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD"},
        {std::string(1000000, 'a'), "CDC76E5C9914FB9281A1C7E284D73E67F1809A48A497200E046D39CCC7112CD0"},
        {std::string(kLongBytes, 'a'), kLongSum},
    };
    TempTree folder;
    const std::string path = LongFile(folder);
    for (const Way way : kWays) {
        const auto hashing = Opened(way);
        ASSERT_TRUE(hashing);
        for (const Case& c : cases) {
            std::string hex;
            const auto* const bytes = reinterpret_cast<const unsigned char*>(c.bytes.data());
            EXPECT_EQ(hashing->OfBytes({bytes, c.bytes.size()}, hex), 0u);
            EXPECT_EQ(hex, c.sum) << WayName(way) << ", " << c.bytes.size() << " bytes";
        }
        // From where the file's pointer stands: the last 2,000,001 bytes,
        // and then none.
        for (const LONG from : {0L, 1000000L, static_cast<LONG>(kLongBytes)}) {
            const CHandle file = OpenedFile(path);
            ::SetFilePointer(file, from, nullptr, FILE_BEGIN);
            const std::string rest(kLongBytes - static_cast<std::size_t>(from), 'a');
            std::string expected, hex;
            hashing->OfBytes({reinterpret_cast<const unsigned char*>(rest.data()), rest.size()}, expected);
            EXPECT_EQ(hashing->OfFile(file, hex), 0u);
            EXPECT_EQ(hex, expected) << WayName(way) << " from " << from;
        }
    }
}

TEST(Sha256Hashing, AFileThatCannotBeReadGivesTheSystemsReasonAndNoDigest)
{
    TempTree folder;
    const std::string path = LongFile(folder);
    for (const Way way : kWays) {
        const auto hashing = Opened(way);
        ASSERT_TRUE(hashing);
        std::string hex = "untouched";
        EXPECT_EQ(hashing->OfFile(OpenedFile(path, GENERIC_WRITE), hex), static_cast<unsigned>(ERROR_ACCESS_DENIED))
            << WayName(way);
        EXPECT_EQ(hex, "untouched");
    }
}

TEST(Sha256Hashing, ThreadsHashingAtOnceWithOneProviderEachGetTheirOwnDigest)
{
    TempTree folder;
    const std::string path = LongFile(folder);
    const auto sums = OpensslSums();
    for (const Way way : kWays) {
        const auto hashing = Opened(way);
        ASSERT_TRUE(hashing);
        std::vector<std::string> wrong[3];
        {
            // Each thread its own files: a long one among short ones, so
            // their reads and digests overlap.
            std::vector<std::unique_ptr<Concurrently>> threads;
            for (auto& mistakes : wrong) {
                threads.push_back(std::make_unique<Concurrently>([&] {
                    for (int round = 0; round < 4; ++round) {
                        std::string hex;
                        if (hashing->OfFile(OpenedFile(path), hex) != 0 || hex != kLongSum)
                            mistakes.push_back("long.bin: " + hex);
                        for (const auto& [sum, name] : sums) {
                            if (hashing->OfFile(OpenedFile(TrustSample(name)), hex) != 0 || hex != sum)
                                mistakes.push_back(name + ": " + hex);
                        }
                    }
                }));
            }
        }
        for (const auto& mistakes : wrong)
            EXPECT_EQ(mistakes, std::vector<std::string>{}) << WayName(way);
    }
}

TEST(Sha256Hashing, TheFastestWayIsCngFromTheSystemDirectoryElseCryptoApi)
{
    struct Case {
        const char* missing;
        Way way;
    };
    const Case cases[] = {
        {"", Way::Cng},
        {"bcrypt.dll", Way::CryptoApi},
        {"BCryptHashData", Way::CryptoApi},
        {"BCryptGetProperty", Way::CryptoApi},
    };
    const std::string sum = OpensslSums().front().first;
    const std::string sample = TrustSample(OpensslSums().front().second);
    for (const Case& c : cases) {
        LoaderWithout loader(c.missing);
        unsigned error = 0;
        const auto hashing = Sha256Hashing::Fastest(loader, error);
        ASSERT_TRUE(hashing) << c.missing << ": " << error;
        EXPECT_EQ(hashing->Which(), c.way) << c.missing;
        ASSERT_FALSE(loader.loads.empty());
        EXPECT_EQ(loader.loads.back(), loader.SystemDirectory() + "\\bcrypt.dll") << c.missing;
        std::string hex;
        EXPECT_EQ(hashing->OfFile(OpenedFile(sample), hex), 0u);
        EXPECT_EQ(hex, sum) << c.missing;
    }
}

TEST(Sha256Hashing, ThePlatformsHashingGivesOpensslsDigestOfACertificateAndOfAFile)
{
    const auto sums = OpensslSums();
    for (const auto& [sum, name] : sums) {
        std::string fromBytes, fromFile;
        EXPECT_EQ(Sha256OfBytes(Bytes(TrustSample(name)), fromBytes), 0u);
        EXPECT_EQ(fromBytes, sum) << name;
        EXPECT_EQ(Sha256OfFile(OpenedFile(TrustSample(name)), fromFile), 0u);
        EXPECT_EQ(fromFile, sum) << name;
    }
}
