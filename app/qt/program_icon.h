// The program's icon, from the images built into the executable.
#pragma once

#include <QIcon>

[[nodiscard]] QIcon programIcon();
