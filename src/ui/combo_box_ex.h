#pragma once
// The dialogs' combo box: a class of its own, so that every window names
// the same one, with nothing added.

#include <QComboBox>

class TComboBoxEx : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
};
