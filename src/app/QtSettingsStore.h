#pragma once
#include <QSettings>
#include <memory>

#include "uibase/AppSettings.h"

// The settings store on QSettings: organisation "Morvanta", application
// "VandrelEdit2028" (on Linux an INI file under the user's configuration
// directory). Sections become groups.
class CQtSettingsStore : public ISettingsStore {
public:
    CQtSettingsStore();
    // A store on a given INI file, for tests and tools.
    explicit CQtSettingsStore(const QString& iniPath);

    int32_t ReadInt(const std::string& section, const std::string& name, int32_t def) override;
    void WriteInt(const std::string& section, const std::string& name, int32_t value) override;
    std::string ReadString(const std::string& section, const std::string& name, const std::string& def) override;
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override;
    void Remove(const std::string& section, const std::string& name) override;

    // For values that are not integers, such as the window layout.
    QSettings& Settings() { return *m_settings; }

private:
    std::unique_ptr<QSettings> m_settings;
};
