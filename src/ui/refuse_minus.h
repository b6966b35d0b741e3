#pragma once
// Edits of values that cannot be negative drop a typed minus sign (which the
// numeric edit would otherwise take as a change of sign).

class QWidget;

// From now on a minus sign typed into the edit (either minus key) is
// dropped; the edit sees nothing of it.
void RefuseMinusSign(QWidget& edit);
