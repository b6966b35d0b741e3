#pragma once
// Monovara's icon: one population and its growth.

#include <QPixmap>

QPixmap SingleProgramIcon(int size = 48);
