#pragma once
// Loading builder databases into a document and finding its channels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/ChannelRows.h"
#include "document/VandrelEdit2028Doc.h"
#include "model/ServiceData.h"
#include "support/NdbTestBuilder.h"

namespace ndbtest {

inline void LoadInto(CVandrelEdit2028Doc& doc, const TestDatabase& db)
{
    const Bytes file = db.Build();
    ASSERT_EQ(doc.Load(file.data(), file.size()), LoadStatus::Loaded);
}

// The names of one kind in the receiver's order.
inline std::vector<std::string> Names(const CVandrelEdit2028Doc& doc, bool radio)
{
    std::vector<std::string> names;
    for (const ChannelRow& row : SelectAllChannels(doc, radio)) {
        names.push_back(row.service->GetNameText());
    }
    return names;
}

// The first channel with this name, or null.
inline CServiceData* Named(const CVandrelEdit2028Doc& doc, const std::string& name)
{
    for (int i = 0; i < doc.m_services.GetSize(); ++i) {
        if (doc.m_services.GetAt(i)->GetNumber() != 0 && doc.m_services.GetAt(i)->GetNameText() == name) {
            return doc.m_services.GetAt(i);
        }
    }
    return nullptr;
}

} // namespace ndbtest
