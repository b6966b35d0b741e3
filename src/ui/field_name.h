#pragma once
// The name by which a message tells the user which field it means: the text
// of the label that names the field (its buddy), without its access-key
// marker and closing colon ("&Initial abundance:" is "Initial abundance");
// else the field's accessible name; else "This field".

#include <string>

class QWidget;

std::string FieldName(const QWidget& field);
