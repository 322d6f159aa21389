#pragma once
// Text tables as spreadsheets save them: the bytes decoded to UTF-8 and
// split into records of fields as RFC 4180 describes, read leniently.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

// The bytes as UTF-8 text: UTF-16 when they begin with its byte-order mark,
// else UTF-8 (a byte-order mark dropped) when they are valid UTF-8, else
// Windows-1252. False for bytes that are no text (they hold a zero byte).
bool DecodeSpreadsheetText(const uint8_t* data, size_t size, std::string& text);

// The field separator a header line tells: ';' when it holds one, else ','
// or TAB, whichever it holds more of (';' when neither).
char SeparatorOf(std::string_view headerLine);

// Without blanks (spaces and TABs) at either end.
std::string_view Trimmed(std::string_view s);

struct DelimitedRecord {
    int line = 0; // the line of the text where the record starts, from 1
    // Views into the text, or into the reader's copies of quoted fields;
    // valid until the next record is read.
    std::vector<std::string_view> fields;
    bool openQuote = false; // the text ended inside a quoted field
    int quoteLine = 0;      // with openQuote: the line where that quote opened
    int quoteLines = 0;     // and how many lines, that one included, it spans
    // Whether every field is blank.
    bool IsBlank() const;
};

// Splits the text into records as RFC 4180 does, leniently: quotes may
// stand around any field (after blanks, which are then dropped), a quote
// inside an unquoted field is kept, text after a closing quote is kept, and
// a lone CR ends a line as LF and CR LF do.
class CDelimitedReader {
public:
    CDelimitedReader(const std::string& text, char separator);
    // The next record, false at the end of the text.
    bool Next(DelimitedRecord& r);

private:
    size_t FieldEnd(size_t p) const;
    bool ReadQuoted(size_t p, std::string& field, size_t& end);

    const std::string& m_text;
    char m_sep;
    std::array<bool, 256> m_ends{}; // the separator, CR and LF
    size_t m_pos = 0;
    int m_line = 1;
    std::deque<std::string> m_quoted; // stable while the record is in use
};
