#pragma once
// The CSV export of all channels: Windows-1252 text, CR LF line ends, ";"
// between the fields, no quoting. Both kinds in the receiver's order,
// whatever the list shows.
#include <string>

class CVandrelEdit2028Doc;

// The whole file as bytes.
std::string BuildCsvExport(const CVandrelEdit2028Doc& doc);
// The chosen file name, with ".csv" appended when its last path component
// has no extension.
std::string WithCsvExtension(const std::string& path);
// Writes the export into path, replacing the file. On failure returns false
// and sets the German message to show.
bool ExportCsvFile(const CVandrelEdit2028Doc& doc, const std::string& path, std::string& error);
