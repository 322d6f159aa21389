#include "GuiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTest>
#include <cstdio>

#include "MainFrame.h"
#include "QtSettingsStore.h"
#include "VandrelEdit2028App.h"

QMessageBox::StandardButton CFakePrompts::Question(QWidget* parent, const QString& caption, const QString& text,
                                                   QMessageBox::StandardButtons buttons,
                                                   QMessageBox::StandardButton defaultButton)
{
    records.append({QStringLiteral("question"), caption, text, buttons, defaultButton, parent != nullptr});
    if (answers.isEmpty()) {
        ++unscripted;
        return buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::No;
    }
    return answers.takeFirst();
}

void CFakePrompts::Information(QWidget* parent, const QString& caption, const QString& text)
{
    records.append(
        {QStringLiteral("information"), caption, text, QMessageBox::Ok, QMessageBox::Ok, parent != nullptr});
}

void CFakePrompts::Warning(QWidget* parent, const QString& caption, const QString& text)
{
    records.append(
        {QStringLiteral("warning"), caption, text, QMessageBox::Ok, QMessageBox::Ok, parent != nullptr});
}

void CFakePrompts::Critical(QWidget* parent, const QString& caption, const QString& text)
{
    records.append(
        {QStringLiteral("critical"), caption, text, QMessageBox::Ok, QMessageBox::Ok, parent != nullptr});
}

QString CFakePrompts::GetOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                      const QString& filter)
{
    records.append({QStringLiteral("open"), caption, filter + QLatin1Char('|') + dir, {}, {}, parent != nullptr});
    if (openNames.isEmpty()) {
        ++unscripted;
        return QString();
    }
    return openNames.takeFirst();
}

QString CFakePrompts::GetSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                      const QString& filter)
{
    records.append({QStringLiteral("save"), caption, filter + QLatin1Char('|') + dir, {}, {}, parent != nullptr});
    if (saveNames.isEmpty()) {
        ++unscripted;
        return QString();
    }
    return saveNames.takeFirst();
}

int CFakePrompts::ChooseItem(QWidget* parent, const QString& caption, const QString& label,
                             const QStringList& items)
{
    records.append({QStringLiteral("choice"),
                    caption,
                    label + QLatin1Char('|') + items.join(QLatin1Char('|')),
                    {},
                    {},
                    parent != nullptr});
    if (choices.isEmpty()) {
        ++unscripted;
        return -1;
    }
    return choices.takeFirst();
}

QList<PromptRecord> CFakePrompts::OfKind(const QString& kind) const
{
    QList<PromptRecord> out;
    for (const PromptRecord& r : records)
        if (r.kind == kind)
            out.append(r);
    return out;
}

CGuiFixture::CGuiFixture() = default;

CGuiFixture::~CGuiFixture()
{
    if (m_app) {
        // Whatever a test left open is dropped without questions.
        m_app->CloseAllDocuments();
        m_app.reset();
    }
}

QString CGuiFixture::SettingsPath() const
{
    return m_dir.filePath(QStringLiteral("settings.ini"));
}

bool CGuiFixture::Start(const QStringList& files)
{
    auto prompts = std::make_unique<CFakePrompts>();
    m_prompts = prompts.get();
    m_app = std::make_unique<CVandrelEdit2028App>(std::move(prompts),
                                                  std::make_unique<CQtSettingsStore>(SettingsPath()));
    return m_app->InitInstance(files);
}

bool CGuiFixture::Quit()
{
    const bool closed = m_app->MainFrame()->close();
    if (closed) {
        m_app.reset();
        m_prompts = nullptr;
    }
    return closed;
}

CMainFrame& CGuiFixture::Frame()
{
    return *m_app->MainFrame();
}

QAction* CGuiFixture::Action(const QString& objectName)
{
    return Frame().ActionByName(objectName);
}

bool CGuiFixture::Trigger(const QString& objectName)
{
    QAction* a = Action(objectName);
    if (!a || !a->isEnabled())
        return false;
    a->trigger();
    QCoreApplication::processEvents();
    return true;
}

QString CGuiFixture::WriteFile(const QString& name, const ndbtest::Bytes& bytes)
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    return path;
}

ndbtest::Bytes CGuiFixture::ReadFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = f.readAll();
    return ndbtest::Bytes(data.begin(), data.end());
}

ndbtest::Bytes GoodDatabase()
{
    return ndbtest::MakeSmallDatabase().Build();
}

ndbtest::Bytes LongListDatabase(int count)
{
    ndbtest::TestDatabase db = ndbtest::MakeSmallDatabase();
    std::vector<ndbtest::ServiceRecord> tv(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "Kanal %04d", i + 1);
        tv[static_cast<size_t>(i)].Transponder(1).ServiceId(static_cast<uint16_t>(1000 + i)).Name(name);
    }
    db.services = ndbtest::ServiceBody();
    db.services.PlaceInArrayOrder(tv, {});
    return db.Build();
}

ndbtest::Bytes DamagedDatabase()
{
    ndbtest::ContainerOptions options;
    options.corruptPayloadChecksum = true;
    return ndbtest::SealContainer(ndbtest::MakeSmallDatabase().Payload(), options);
}

ndbtest::Bytes PartlyReadableDatabase()
{
    const ndbtest::TestDatabase db = ndbtest::MakeSmallDatabase();
    ndbtest::Bytes payload = db.header.b;
    ndbtest::Append(payload, db.ConfigBlock());
    ndbtest::Append(payload, ndbtest::FrameBlock(0xDB77, 1, ndbtest::Bytes(40, 0x5A)));
    ndbtest::Append(payload, db.SatelliteBlock());
    return ndbtest::SealContainer(payload);
}
