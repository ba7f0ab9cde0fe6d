#pragma once

#include <QIcon>

// The program's icon in every size from 16 to 128 px, each image read from its resource
// only when the window system first asks for it.
QIcon AlkalmazásIkon();
