#pragma once
#include <QObject>
#include <QString>
#include <functional>

class CHelpWindow;
class QDialog;

// F1 in a modal dialog opens the manual at the page about that dialog. The
// manual becomes the dialog's own window while the dialog is open, so the
// dialog's modality does not lock it; it is a free window again afterwards.
class CDialogHelpKey : public QObject {
    Q_OBJECT
public:
    explicit CDialogHelpKey(std::function<CHelpWindow*()> showHelp, QObject* parent = nullptr);
    ~CDialogHelpKey() override;

    // The manual page of a dialog (its file name), the start page for one
    // without a page of its own.
    static QString PageOf(const QDialog* dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OpenFor(QDialog* dialog);

    std::function<CHelpWindow*()> m_showHelp;
};
