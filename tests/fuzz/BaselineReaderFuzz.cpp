// Any bytes as a baseline, CSV or JSON Lines. A baseline that reads must
// read again, the same, once written as /verify writes its file in either
// form, and must differ in nothing from
// itself verified again, but for the files it has as not verified or not
// read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "compare/BaselineReader.h"
#include "compare/Comparison.h"
#include "export/JsonLines.h"
#include "export/ListExport.h"
#include "verify/VerificationReport.h"
#include "support/AsciiUpper.h"

namespace {

void Check(bool holds)
{
    if (!holds)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Baseline baseline = ReadBaseline(std::string_view(reinterpret_cast<const char*>(data), size), AsciiUpper);
    Check(baseline.refusal.empty() || baseline.files.empty());
    if (!baseline.refusal.empty())
        return 0;

    std::vector<Record> records;
    std::vector<CurrentFile> current;
    for (const BaselineFile& file : baseline.files) {
        Record& record = records.emplace_back();
        for (const std::string_view text : {file.path, file.signature, file.signer, file.sha256, file.catalog,
                                            file.version, file.originalName, file.root})
            record.emplace_back(text);
        current.push_back({record[0], record[1], record[2], record[3], record[4], record[5], record[6], record[7], true});
    }
    using namespace VerifiedColumn;
    Record header;
    std::vector<JsonColumn> members;
    for (const Name& name : {kPath, kSignature, kSigner, kSha256, kCatalog, kVersion, kOriginalName, kRoot}) {
        header.emplace_back(name.csv);
        members.push_back({name.json, false});
    }
    for (const std::string& written : {CsvDocument(header, records), JsonLinesDocument(members, records, {"verify"})}) {
        const Baseline reread = ReadBaseline(written, AsciiUpper);
        Check(reread.refusal.empty() && reread.files == baseline.files && reread.tellsUpdates);
    }

    const Comparison comparison = Compare(baseline, current, AsciiUpper);
    for (const Difference& difference : comparison.differences) {
        Check(difference.before && difference.after);
        Check(difference.kind == ChangeKind::NotCompared || difference.kind == ChangeKind::NotRead);
    }
    return 0;
}
