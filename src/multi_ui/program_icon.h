#pragma once
// Plurimod's icon: populations of several sizes on a map, linked by
// dispersal.

#include <QPixmap>

QPixmap MultiProgramIcon(int size = 48);
