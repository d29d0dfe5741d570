#include "compare/CurrentFiles.h"

std::vector<CurrentFile> CurrentFiles(const std::vector<VerifiedFile>& files,
                                      const std::function<std::string(const std::string&)>& utf8)
{
    std::vector<CurrentFile> current;
    current.reserve(files.size());
    for (const VerifiedFile& file : files) {
        CurrentFile& now = current.emplace_back();
        now.path = utf8(file.row->path);
        if (!file.result) {
            now.verified = false;
            continue;
        }
        const TrustResult& trust = file.result->trust;
        now.signature = utf8(ResultText(trust));
        now.signer = utf8(trust.signer);
        now.sha256 = file.result->sha256;
        now.catalog = utf8(trust.catalog);
        now.version = file.result->description.version;
        now.originalName = utf8(file.result->description.originalName);
        now.root = trust.root;
    }
    return current;
}
