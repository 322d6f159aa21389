#pragma once
// Which records the satellite and favourite tree lists, and in what order.
#include <vector>

class CSatelliteData;
class CSatelliteDataArray;
class CServiceData;
class CTransponderDataArray;

// A satellite slot with number 0 is empty. With onlyActive set, only
// satellites whose in-use flag is set are listed.
bool IsListedInTree(const CSatelliteData& satellite, bool onlyActive);
// Indexes of the listed satellites, in array order.
std::vector<int> TreeSatellites(const CSatelliteDataArray& satellites, bool onlyActive);
// Indexes of the transponders of satellite `number`, by ascending label.
std::vector<int> TreeTransponders(const CTransponderDataArray& transponders, int number);
// Index (0 to groupCount - 1) of the favourite group holding the service, -1 none.
int GroupIndexOfService(const CServiceData* service, int groupCount);
