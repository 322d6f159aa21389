#include "CsvExport.h"

#include <cstdio>

#include "ChannelRows.h"
#include "ExchangeMessages.h"
#include "FileLayer.h"
#include "VandrelEdit2028Doc.h"
#include "model/TextCodec.h"

namespace {

constexpr const char* kHeader[] = {"Nr",      "Kanalname", "ServiceID", "Video Pid", "Audio Pid",
                                   "PCR Pid", "PMT Pid",   "HD",        "T1",        "T2",
                                   "Vers.",   "Gesperrt",  "Überspringen"};

std::string Ansi(const std::string& utf8)
{
    return ve::EncodeCodePage(ve::Utf8ToUtf32(utf8), ve::CodePage::Windows1252);
}

void AppendLine(std::string& out, const std::string* fields, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (i > 0) {
            out += ';';
        }
        out += fields[i];
    }
    out += "\r\n";
}

} // namespace

std::string BuildCsvExport(const CVandrelEdit2028Doc& doc)
{
    std::string out;
    std::string fields[13];
    for (size_t i = 0; i < 13; ++i) {
        fields[i] = Ansi(kHeader[i]);
    }
    AppendLine(out, fields, 13);
    int line = 0;
    const int channelEnd = doc.m_services.ChannelEnd();
    for (int i = 0; i < channelEnd; ++i) {
        CServiceData* s = doc.m_services.GetAt(i);
        char number[16];
        std::snprintf(number, sizeof number, "%4.i", ++line);
        const ChannelRow row{s, line};
        fields[0] = number;
        fields[1] = Ansi(s->GetNameText());
        fields[2] = std::to_string(s->GetServiceId());
        fields[3] = std::to_string(s->GetVideoPid());
        fields[4] = std::to_string(s->GetAudioPid());
        fields[5] = std::to_string(s->GetPcrPid());
        fields[6] = std::to_string(s->GetPmtPid());
        fields[7] = s->IsHD() ? "X" : "";
        fields[8] = ChannelColumnText(doc, row, kColTuner1);
        fields[9] = ChannelColumnText(doc, row, kColTuner2);
        fields[10] = s->IsScrambled() ? "1" : "";
        fields[11] = s->IsLocked() ? "1" : "";
        fields[12] = s->IsSkip() ? "1" : "";
        AppendLine(out, fields, 13);
    }
    return out;
}

std::string WithCsvExtension(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (path.find('.', nameStart) != std::string::npos) {
        return path;
    }
    return path + ".csv";
}

bool ExportCsvFile(const CVandrelEdit2028Doc& doc, const std::string& path, std::string& error)
{
    const std::string text = BuildCsvExport(doc);
    std::string reason;
    if (!CFileLayer::Default().WriteFileAtomic(path, reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                                               reason)) {
        error = exmsg::kCsvCreateFailed;
        return false;
    }
    return true;
}
