#pragma once
#include <string>
#include <vector>

// Option texts with parallel values, as a drop-down row offers them.
class COptionList {
public:
    struct Option {
        std::string text;
        int value;
    };

    void RemoveAll() { m_options.clear(); }
    void AddOption(std::string text, int value) { m_options.push_back({std::move(text), value}); }
    const std::vector<Option>& Options() const { return m_options; }
    int GetCount() const { return static_cast<int>(m_options.size()); }

    // Index of the first option with that value, or -1.
    int IndexOfValue(int value) const;
    // Value of the first option with that text, or -1.
    int ValueOfText(const std::string& text) const;

    // What a drop-down row shows when it selects value: a negative value
    // gives the first option's text, otherwise the text of the last option
    // with that value, or the empty text when none has it.
    std::string SelectValueText(int value) const;
    // The value a drop-down row reads back from a chosen text: that of the
    // last option with exactly that text, 0 when none has it.
    int ChosenValue(const std::string& text) const;
    // True when the list holds nothing but the single empty option that a
    // fill adds when it offers nothing.
    bool OffersNothing() const;

private:
    std::vector<Option> m_options;
};

// Stable ascending sort by text, comparing UTF-16 code units after folding
// only A to Z to lower case.
void SortOptionTexts(std::vector<COptionList::Option>& options);
