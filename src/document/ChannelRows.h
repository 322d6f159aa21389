#pragma once
// Which records a channel list shows for a tree node, with which numbers, and
// the text of every column of a row.
#include <string>
#include <vector>

class CVandrelEdit2028Doc;
class CServiceData;
class CTransponderData;

struct ChannelRow {
    CServiceData* service;
    int number;
};

enum ChannelColumn : int {
    kColName = 0, kColNumber, kColType, kColSatellite, kColFrequency, kColPolarity,
    kColSymbolRate, kColServiceId, kColVideoPid, kColAudioPid, kColPcrPid, kColPmtPid,
    kColHD, kColTuner1, kColTuner2, kColScrambled, kColLocked, kColSkip, kColProvider,
    kChannelColumnCount
};

const char* ChannelColumnHeader(int column);
// Header order without a stored order: "Nr", "Kanalname", then 2 to 18.
std::vector<int> DefaultColumnOrder();

std::vector<ChannelRow> SelectAllChannels(const CVandrelEdit2028Doc& doc, bool radio);
std::vector<ChannelRow> SelectSatelliteChannels(const CVandrelEdit2028Doc& doc, int satelliteIndex, bool radio);
std::vector<ChannelRow> SelectTransponderChannels(const CVandrelEdit2028Doc& doc,
                                                  const CTransponderData* transponder, bool radio);
std::vector<ChannelRow> SelectFavouriteChannels(const CVandrelEdit2028Doc& doc, int groupIndex, bool radio,
                                                bool sequentialNumbers);

// Text of one cell as the list shows it in details mode (listMode false) or
// with the number before the name in list display mode.
std::string ChannelColumnText(const CVandrelEdit2028Doc& doc, const ChannelRow& row, int column,
                              bool listMode = false);
