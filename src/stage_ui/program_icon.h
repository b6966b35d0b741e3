#pragma once
// Strativa's icon: stage classes of growing size on the program's colour.

#include <QPixmap>

QPixmap StageProgramIcon(int size = 48);
