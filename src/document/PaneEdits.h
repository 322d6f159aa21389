#pragma once
// What a committed row of the channel and transponder panes does to the
// record. The panes run these inside one undoable step of the document.
#include <cstdint>
#include <string>

class COptionList;
class CServiceData;
class CTransponderData;
class CVandrelEdit2028Doc;

// One committed row: its id, its text, and for yes/no rows the choice.
struct PaneEdit {
    int rowId = 0;
    std::string text;
    bool yes = false;
};

// Writes the edit into the service. rowOptions are the options of the edited
// drop-down row ("Satellit" or "Transponder"); other rows ignore them.
// Choosing a satellite puts the channel on that satellite's first offered
// transponder, or leaves it where it is when the satellite offers none.
// Rows whose value is not stored, and texts that break the row's input
// rule (InputRules.h), change nothing.
void ApplyChannelEdit(const CVandrelEdit2028Doc& doc, CServiceData& service, const PaneEdit& edit,
                      const COptionList& rowOptions);

// Frequency, polarisation (only bits 0 to 1 change), symbol rate, TpId and
// OrgNetId; a number outside its field's range changes nothing. rowOptions
// are the options of the "Polarity" row.
void ApplyTransponderEdit(CTransponderData& transponder, const PaneEdit& edit, const COptionList& rowOptions);
