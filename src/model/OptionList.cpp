#include "OptionList.h"

#include <algorithm>

#include "TextCodec.h"

int COptionList::IndexOfValue(int value) const
{
    for (size_t i = 0; i < m_options.size(); ++i) {
        if (m_options[i].value == value) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int COptionList::ValueOfText(const std::string& text) const
{
    for (const Option& o : m_options) {
        if (o.text == text) {
            return o.value;
        }
    }
    return -1;
}

std::string COptionList::SelectValueText(int value) const
{
    if (value < 0) {
        return m_options.empty() ? std::string() : m_options.front().text;
    }
    for (auto it = m_options.rbegin(); it != m_options.rend(); ++it) {
        if (it->value == value) {
            return it->text;
        }
    }
    return std::string();
}

int COptionList::ChosenValue(const std::string& text) const
{
    for (auto it = m_options.rbegin(); it != m_options.rend(); ++it) {
        if (it->text == text) {
            return it->value;
        }
    }
    return 0;
}

bool COptionList::OffersNothing() const
{
    return m_options.empty() || (m_options.size() == 1 && m_options.front().text.empty());
}

namespace {

std::u16string FoldAsciiUpper(const std::string& text)
{
    std::u16string s = ve::Utf8ToUtf16(text);
    for (char16_t& c : s) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    return s;
}

} // namespace

void SortOptionTexts(std::vector<COptionList::Option>& options)
{
    std::vector<std::pair<std::u16string, size_t>> keys;
    keys.reserve(options.size());
    for (size_t i = 0; i < options.size(); ++i) {
        keys.emplace_back(FoldAsciiUpper(options[i].text), i);
    }
    std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<COptionList::Option> sorted;
    sorted.reserve(options.size());
    for (const auto& k : keys) {
        sorted.push_back(std::move(options[k.second]));
    }
    options = std::move(sorted);
}
