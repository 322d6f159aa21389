// Whole database load on arbitrary bytes: container, block headers, every
// block reader and the chain walk, then what the views read from the result.
#include <cstddef>
#include <cstdint>

#include "AllocGuard.h"
#include "document/ChannelRows.h"
#include "document/VandrelEdit2028Doc.h"
#include "model/OptionList.h"

namespace {

void Check(bool ok)
{
    if (!ok) {
        __builtin_trap();
    }
}

// Reads every derived text of the first rows, so a field value that the
// formatting cannot take shows up here and not only in a window.
void ReadBack(const CVandrelEdit2028Doc& doc)
{
    for (bool radio : {false, true}) {
        const std::vector<ChannelRow> rows = SelectAllChannels(doc, radio);
        for (size_t i = 0; i < rows.size() && i < 24; ++i) {
            for (int c = 0; c < kChannelColumnCount; ++c) {
                (void)ChannelColumnText(doc, rows[i], c);
            }
            (void)ChannelColumnText(doc, rows[i], kColName, true);
        }
        for (int g = 0; g < doc.m_configuration.GetSize(); ++g) {
            (void)SelectFavouriteChannels(doc, g, radio, g % 2 == 0);
        }
        if (doc.m_satellites.GetSize() > 0) {
            (void)SelectSatelliteChannels(doc, 0, radio);
        }
        if (doc.m_transponders.GetSize() > 0) {
            (void)SelectTransponderChannels(doc, doc.m_transponders.GetAt(0), radio);
        }
    }
    COptionList options;
    doc.m_satellites.FillSatelliteOptions(options);
    for (int i = 0; i < doc.m_satellites.GetSize() && i < 8; ++i) {
        const CSatelliteData& s = *doc.m_satellites.GetAt(i);
        (void)s.FormatTreeLabel([](const std::string& t) { return static_cast<int>(t.size() * 7); });
        options.RemoveAll();
        doc.m_transponders.FillTransponderOptions(s.GetNumber(), options);
    }
    for (int g = 0; g < doc.m_configuration.GetSize(); ++g) {
        (void)doc.m_configuration.GetAt(g)->GetName();
    }
    (void)BuildTimerRows(doc.m_timers);
    (void)doc.m_ndb.GetInfoTexts();
    (void)doc.m_services.CountScrambled();
    (void)doc.GetUnknownBlockMessage();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CVandrelEdit2028Doc doc;
    vefuzz::BeginWatch("load", vefuzz::LimitsFor(size, 1u << 20, 2u << 20));
    const LoadStatus status = doc.Load(data, size);
    vefuzz::EndWatch();
    if (status == LoadStatus::Refused) {
        // nothing of a refused file is kept
        Check(doc.m_services.GetSize() == 0 && doc.m_satellites.GetSize() == 0 &&
              doc.m_transponders.GetSize() == 0 && doc.m_timers.GetSize() == 0 &&
              doc.m_configuration.GetSize() == 0 && !doc.HasFileContents());
        return 0;
    }
    Check(status == LoadStatus::Loaded || status == LoadStatus::LoadedPartly);
    Check(doc.HasFileContents());
    Check(doc.m_satellites.GetSize() <= 250 && doc.m_transponders.GetSize() <= 7000 &&
          doc.m_services.GetSize() <= 19999 && doc.m_timers.GetSize() <= 20);
    ReadBack(doc);
    return 0;
}
