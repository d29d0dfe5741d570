#pragma once
#include <optional>
#include <string>

#include "compare/BaselineReader.h"
#include "framework/Handle.h"
#include "platform/FileIdentity.h"

// A baseline read from its file, which stays open while the baseline is in
// use: shared with readers and writers, but with nobody who would delete,
// rename or replace it, so that nothing saved meanwhile, under any name,
// takes its place.
struct BaselineInUse {
    Baseline baseline;
    CHandle file;
    // None where the file system cannot tell it.
    std::optional<FileIdentity> identity;

    // Whether `path` names the baseline's own file, by whatever name.
    bool IsFileAt(const std::wstring& path) const;
};

// Reads the baseline in `bytes`, which came from standard input, its paths
// keyed as Windows matches names. False, with `failure` saying why in whole
// sentences, when they are no baseline or do not fit in memory.
bool ReadInputBaseline(const std::string& bytes, Baseline& baseline, std::wstring& failure);

// Reads the baseline in the file at `path`, its paths keyed as Windows
// matches names. False, with `failure` saying why in whole sentences, when
// the file cannot be read, is no baseline, or does not fit in memory.
bool LoadBaseline(const std::wstring& path, BaselineInUse& loaded, std::wstring& failure);
