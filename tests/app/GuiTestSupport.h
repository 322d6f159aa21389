#pragma once
// Shared pieces of the GUI tests: scripted prompts, a started application
// on a private settings file, and test databases on disk.
#include <QMessageBox>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "NdbTestBuilder.h"
#include "uibase/UserPrompts.h"

class CMainFrame;
class CVandrelEdit2028App;
class QAction;

// One message box or file dialog as the shell asked for it.
struct PromptRecord {
    QString kind; // "question", "information", "warning", "critical", "open", "save"
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    bool hasParent = false;
};

// Answers from scripts; a question without a scripted answer is recorded and
// answered with Cancel (or No when Cancel is not offered), so a forgotten
// script shows up as a failed expectation, not as a hang.
class CFakePrompts : public IUserPrompts {
public:
    QList<PromptRecord> records;
    QList<QMessageBox::StandardButton> answers;
    QStringList openNames;
    QStringList saveNames;
    QList<int> choices; // answers of ChooseItem
    int unscripted = 0;

    QMessageBox::StandardButton Question(QWidget* parent, const QString& caption, const QString& text,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton) override;
    void Information(QWidget* parent, const QString& caption, const QString& text) override;
    void Warning(QWidget* parent, const QString& caption, const QString& text) override;
    void Critical(QWidget* parent, const QString& caption, const QString& text) override;
    QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                            const QString& filter) override;
    QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                            const QString& filter) override;
    int ChooseItem(QWidget* parent, const QString& caption, const QString& label,
                   const QStringList& items) override;

    // Records of one kind, in order.
    QList<PromptRecord> OfKind(const QString& kind) const;
};

// A started editor on its own settings file in a temporary directory.
class CGuiFixture {
public:
    CGuiFixture();
    ~CGuiFixture();

    // Creates the application on the settings file and starts it.
    bool Start(const QStringList& files = {});
    // Ends the run as the user would (closing the main window) and drops the
    // application; the settings file stays for the next Start.
    bool Quit();

    CVandrelEdit2028App& App() { return *m_app; }
    CMainFrame& Frame();
    CFakePrompts& Prompts() { return *m_prompts; }
    QAction* Action(const QString& objectName);
    // Triggers the action after checking that it exists and is enabled.
    bool Trigger(const QString& objectName);

    QString Dir() const { return m_dir.path(); }
    QString SettingsPath() const;
    QString WriteFile(const QString& name, const ndbtest::Bytes& bytes);
    static ndbtest::Bytes ReadFile(const QString& path);

private:
    QTemporaryDir m_dir;
    CFakePrompts* m_prompts = nullptr; // owned by the application
    std::unique_ptr<CVandrelEdit2028App> m_app;
};

// Test databases.
ndbtest::Bytes GoodDatabase();
// The small database with count television channels "Kanal 0001", … on its
// first transponder, more than a list page shows.
ndbtest::Bytes LongListDatabase(int count);
// The container's payload checksum no longer matches.
ndbtest::Bytes DamagedDatabase();
// A configuration block, then a block with the unknown tag 0xDB77 version 1,
// then the satellites, which the load never reaches.
ndbtest::Bytes PartlyReadableDatabase();
