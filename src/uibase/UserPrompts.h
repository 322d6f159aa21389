#pragma once
#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

// Every message box and file dialog of the shell goes through this, so tests
// can script the answers and read the texts and captions.
class IUserPrompts {
public:
    virtual ~IUserPrompts() = default;

    virtual QMessageBox::StandardButton Question(QWidget* parent, const QString& caption, const QString& text,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton) = 0;
    virtual void Information(QWidget* parent, const QString& caption, const QString& text) = 0;
    virtual void Warning(QWidget* parent, const QString& caption, const QString& text) = 0;
    virtual void Critical(QWidget* parent, const QString& caption, const QString& text) = 0;

    // An empty result means the user cancelled.
    virtual QString GetOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& filter) = 0;
    virtual QString GetSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& filter) = 0;
    // One of items, by its index; -1 when the user cancelled.
    virtual int ChooseItem(QWidget* parent, const QString& caption, const QString& label,
                           const QStringList& items) = 0;
};

// The real dialogs.
class CQtUserPrompts : public IUserPrompts {
public:
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
};
