#include "FavoritenData.h"

#include <cstring>

#include "TextCodec.h"

using namespace ve;

namespace {

constexpr const char* kDefaults[ndb::kFavGroupCount] = {"MOVIE", "NEWS",  "SPORTS", "MUSIC",
                                                        "CHILD", "DRAMA", "FAMILY", "MISC."};
constexpr const char* kShown[ndb::kFavGroupCount] = {"Film",   "Nachrichten", "Sport",   "Musik",
                                                     "Kinder", "Drama",       "Familie", "Verschiedenes"};

} // namespace

const char* FavouriteDefaultName(int slot)
{
    return slot >= 0 && slot < ndb::kFavGroupCount ? kDefaults[slot] : "";
}

const char* FavouriteShownName(int slot)
{
    return slot >= 0 && slot < ndb::kFavGroupCount ? kShown[slot] : "";
}

void CFavoritenData::CreateFromImage(int slot, const uint8_t* stored)
{
    size_t len = 0;
    while (len < ndb::kFavNameSize && stored[len] != 0) {
        ++len;
    }
    const std::string storedText(reinterpret_cast<const char*>(stored), len);
    if (slot >= 0 && slot < ndb::kFavGroupCount && storedText == kDefaults[slot]) {
        m_name.fill(0);
        const std::string shown = EncodeCodePage(Utf8ToUtf32(kShown[slot]), CodePage::Windows1252);
        std::memcpy(m_name.data(), shown.data(), shown.size());
    } else {
        std::memcpy(m_name.data(), stored, ndb::kFavNameSize);
    }
    m_nChanged = 0;
}

std::string CFavoritenData::GetName() const
{
    return DecodeFixed(m_name.data(), m_name.size(), CodePage::Windows1252);
}

bool CFavoritenData::Rename(const std::string& text)
{
    const std::u32string chars = Utf8ToUtf32(text);
    if (chars.size() > 19) {
        return false;
    }
    const std::string bytes = EncodeCodePage(chars, CodePage::Windows1252);
    if (bytes.size() > 19) {
        return false;
    }
    // Bytes after the terminator carry no meaning; they are cleared.
    m_name.fill(0);
    std::memcpy(m_name.data(), bytes.data(), bytes.size());
    m_nChanged = 1;
    return true;
}
