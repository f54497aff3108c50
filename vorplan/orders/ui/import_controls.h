#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QString>

// The controls of the import and new-project windows, made alike.
namespace vor::import_controls {

inline QLineEdit* MakeEdit(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    return edit;
}

inline QLabel* MakeLabel(QWidget* parent, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

}  // namespace vor::import_controls
