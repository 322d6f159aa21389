#include "UserPrompts.h"

#include <QFileDialog>
#include <QInputDialog>

namespace {
QMessageBox::StandardButton Show(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                 const QString& text, QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}
} // namespace

QMessageBox::StandardButton CQtUserPrompts::Question(QWidget* parent, const QString& caption, const QString& text,
                                                     QMessageBox::StandardButtons buttons,
                                                     QMessageBox::StandardButton defaultButton)
{
    return Show(parent, QMessageBox::Question, caption, text, buttons, defaultButton);
}

void CQtUserPrompts::Information(QWidget* parent, const QString& caption, const QString& text)
{
    Show(parent, QMessageBox::Information, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

void CQtUserPrompts::Warning(QWidget* parent, const QString& caption, const QString& text)
{
    Show(parent, QMessageBox::Warning, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

void CQtUserPrompts::Critical(QWidget* parent, const QString& caption, const QString& text)
{
    Show(parent, QMessageBox::Critical, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

QString CQtUserPrompts::GetOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                        const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString CQtUserPrompts::GetSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                        const QString& filter)
{
    // The dialog asks before replacing an existing file.
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

int CQtUserPrompts::ChooseItem(QWidget* parent, const QString& caption, const QString& label,
                               const QStringList& items)
{
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, caption, label, items, 0, false, &ok);
    return ok ? static_cast<int>(items.indexOf(chosen)) : -1;
}
