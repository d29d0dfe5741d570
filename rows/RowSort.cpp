#include "rows/RowSort.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <utility>

#include "platform/PathText.h"

namespace {

// The file names of `texts`, or the whole texts, as sort keys.
template <class Texts, class TextOf>
std::vector<std::string_view> TextKeys(const Texts& texts, TextOf textOf, ColumnSort sort, const LeadBytes& lead)
{
    std::vector<std::string_view> keys;
    keys.reserve(texts.size());
    for (const auto& text : texts)
        keys.push_back(sort == ColumnSort::ByFileName ? FileNameOf(textOf(text), lead) : std::string_view(textOf(text)));
    return keys;
}

}  // namespace

std::int32_t NumberKeyOf(const std::string& text)
{
    return static_cast<std::int32_t>(std::clamp<long long>(std::strtoll(text.c_str(), nullptr, 10),
                                                           std::numeric_limits<std::int32_t>::min(),
                                                           std::numeric_limits<std::int32_t>::max()));
}

std::vector<int> SortedRowOrder(const std::vector<std::string>& texts, ColumnSort sort, bool ascending,
                                const LeadBytes& lead)
{
    const auto sameText = [&texts](int a, int b) {
        return texts[static_cast<size_t>(a)] == texts[static_cast<size_t>(b)];
    };
    if (sort == ColumnSort::ByNumber) {
        std::vector<std::int32_t> keys;
        keys.reserve(texts.size());
        for (const std::string& text : texts)
            keys.push_back(NumberKeyOf(text));
        return SortedOrder(std::move(keys), sameText, ascending);
    }
    return SortedOrder(TextKeys(texts, [](const std::string& text) -> const std::string& { return text; }, sort, lead),
                       sameText, ascending);
}
