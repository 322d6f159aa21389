#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "NdbFormat.h"

// One favourite group: its name (Windows-1252, zero-terminated in 20 bytes)
// and whether the name must be written back into the configuration image.
class CFavoritenData {
public:
    virtual ~CFavoritenData() = default;

    // Stored factory defaults of a slot are shown as their German text.
    void CreateFromImage(int slot, const uint8_t* stored);
    std::string GetName() const;
    // Refuses (returns false, nothing changes) a name longer than 19
    // characters or one whose encoding needs more than 19 bytes.
    bool Rename(const std::string& text);

    std::array<uint8_t, ndb::kFavNameSize> m_name{};
    int32_t m_nChanged = 0;
};

// Stored default and shown text of the factory name of slot 0 to 7.
const char* FavouriteDefaultName(int slot);
const char* FavouriteShownName(int slot);
