#include "QtSettingsStore.h"

namespace {
QString Key(const std::string& section, const std::string& name)
{
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(name);
}
} // namespace

CQtSettingsStore::CQtSettingsStore()
    : m_settings(std::make_unique<QSettings>(QString::fromLatin1(settings::kOrganisation),
                                             QString::fromLatin1(settings::kApplication)))
{
}

CQtSettingsStore::CQtSettingsStore(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

int32_t CQtSettingsStore::ReadInt(const std::string& section, const std::string& name, int32_t def)
{
    bool ok = false;
    const QVariant v = m_settings->value(Key(section, name));
    if (!v.isValid())
        return def;
    // Stored as a 32-bit value; an unsigned rendering above 2^31 wraps as the registry would.
    const qlonglong n = v.toLongLong(&ok);
    return ok ? int32_t(uint32_t(quint64(n))) : def;
}

void CQtSettingsStore::WriteInt(const std::string& section, const std::string& name, int32_t value)
{
    m_settings->setValue(Key(section, name), value);
}

std::string CQtSettingsStore::ReadString(const std::string& section, const std::string& name,
                                         const std::string& def)
{
    const QVariant v = m_settings->value(Key(section, name));
    return v.isValid() ? v.toString().toStdString() : def;
}

void CQtSettingsStore::WriteString(const std::string& section, const std::string& name, const std::string& value)
{
    m_settings->setValue(Key(section, name), QString::fromStdString(value));
}

void CQtSettingsStore::Remove(const std::string& section, const std::string& name)
{
    m_settings->remove(Key(section, name));
}
