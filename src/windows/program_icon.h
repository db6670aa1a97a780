#pragma once

#include <QIcon>

// The program icon in the seven sizes from 16 to 128 pixels.
QIcon program_icon();
