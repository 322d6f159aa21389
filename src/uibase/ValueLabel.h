#pragma once
#include <QLabel>

// A label that shows a value which changes (a count, a mark): assistive
// technology reads what the value is together with the value itself, and
// hears when it changes. A fixed accessible name alone would only say what
// the label is for.
class CValueLabel : public QLabel {
    Q_OBJECT
public:
    // name says what the value is ("Trefferzahl"); it stays the accessible name.
    explicit CValueLabel(const QString& name, const QString& value = QString(), QWidget* parent = nullptr);

    // Shows the value and tells assistive technology about the change.
    void SetValue(const QString& value);
};
