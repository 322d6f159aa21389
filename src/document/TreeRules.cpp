#include "TreeRules.h"

#include "ChannelEdits.h"
#include "model/SatelliteData.h"
#include "model/ServiceData.h"
#include "model/TransponderData.h"

bool IsListedInTree(const CSatelliteData& satellite, bool onlyActive)
{
    if (satellite.GetNumber() == 0) {
        return false;
    }
    return !onlyActive || satellite.IsInUse();
}

std::vector<int> TreeSatellites(const CSatelliteDataArray& satellites, bool onlyActive)
{
    std::vector<int> indexes;
    for (int i = 0; i < satellites.GetSize(); ++i) {
        if (IsListedInTree(*satellites.GetAt(i), onlyActive)) {
            indexes.push_back(i);
        }
    }
    return indexes;
}

std::vector<int> TreeTransponders(const CTransponderDataArray& transponders, int number)
{
    std::vector<int> indexes;
    if (number == 0) {
        return indexes; // empty transponder slots carry satellite 0
    }
    for (int i = 0; i < transponders.GetSize(); ++i) {
        if (transponders.GetAt(i)->GetSatellite() == number) {
            indexes.push_back(i);
        }
    }
    return SortTransponders(transponders, indexes, false);
}

int GroupIndexOfService(const CServiceData* service, int groupCount)
{
    if (service == nullptr) {
        return -1;
    }
    const int group = service->GetFavouriteGroup();
    return group >= 1 && group <= groupCount ? group - 1 : -1;
}
