#pragma once
// A named button in a dialog's button box. Only the button made the default answers Enter; every
// other one is left out of Enter's reach, so Enter in a field never cancels or opens help.

#include <QDialogButtonBox>
#include <QPushButton>

namespace widgets {

inline QPushButton* AddDialogButton(QDialogButtonBox& box, const QString& text,
                                    QDialogButtonBox::ButtonRole role, const char* objectName,
                                    bool isDefault = false) {
    QPushButton* button = box.addButton(text, role);
    button->setObjectName(objectName);
    button->setAutoDefault(isDefault);
    button->setDefault(isDefault);
    return button;
}

}  // namespace widgets
